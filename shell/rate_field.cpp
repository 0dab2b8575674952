#include "shell/rate_field.h"

#include "shell/lirvan_app.h"
#include "shell/speaking_rate.h"
#include "shell/text.h"
#include "shell/view_helpers.h"
#include "speech/synthesis/rate_output.h"

namespace lirvan {

RateField::RateField(CLirvanApp& app, QWidget* parent) : QSpinBox(parent), app_(app) {
  setRange(kMinRate, kMaxRate);
  setSingleStep(kRateStep);
  setValue(app.SpeakingRate());
  // A typed number applies once it is whole (Enter or leaving the field),
  // not at each digit.
  setKeyboardTracking(false);
  setAccessibleName(QStringLiteral("Konuşma hızı, yüzde"));
  OnFocusIn(this, [this] {
    app_.SpeakAndWait(Cp("Konuşma hızı yüzde ") + std::to_string(value()) +
                      Cp(", yukarı ve aşağı ok tuşlarıyla değiştirilir"));
  });
  connect(this, &QSpinBox::valueChanged, this, [this](int rate) { Changed(rate); });
}

void RateField::stepBy(int steps) {
  const RateChange change = StepRate(value(), steps * kRateStep);
  if (change.rate == value()) {
    // Nothing changes, so the box would stay silent.
    if (change.clamped) app_.Speak(RateSentence(change));
    return;
  }
  clamped_ = change.clamped;
  setValue(change.rate);
  clamped_ = false;
}

void RateField::Changed(int rate) {
  app_.SetSpeakingRate(rate);
  app_.Speak(RateSentence({rate, clamped_}));
}

}  // namespace lirvan
