#pragma once
// The settings dialog's speaking rate: a spin box of 50..400 in steps of
// ten. It says its value when it takes the focus and each new rate (at
// that rate, which applies at once); an arrow past a limit says the limit.
#include <QSpinBox>

namespace lirvan {

class CLirvanApp;

class RateField : public QSpinBox {
  Q_OBJECT

 public:
  RateField(CLirvanApp& app, QWidget* parent);

  void stepBy(int steps) override;

 protected:
  // Both arrows work at a limit too, so that the limit can be said.
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

 private:
  void Changed(int rate);

  CLirvanApp& app_;
  bool clamped_ = false;  // set by stepBy for the change it makes
};

}  // namespace lirvan
