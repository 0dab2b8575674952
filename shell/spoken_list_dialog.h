#pragma once
// A modal list read with the arrow keys: it names itself and its size when
// it opens, and every line the selection reaches is spoken. Enter accepts
// the current line; Ctrl+C copies it, the button copies them all.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QListWidget;

namespace lirvan {

class Speaker;

class SpokenListDialog : public QDialog {
  Q_OBJECT

 public:
  // lines: UTF-8; title and count sentence: CP1254, the program's words.
  SpokenListDialog(std::function<void(const std::string&)> speakLine, const QString& title,
                   const std::vector<QString>& lines, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }
  int chosenRow() const;
  // Speaks the opening sentence and the first line once the dialog shows.
  void SetOpeningSentence(std::function<void()> speakOpening) { opening_ = std::move(speakOpening); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void SpeakRow(int row);

  std::function<void(const std::string&)> speakLine_;
  std::function<void()> opening_;
  QListWidget* list_ = nullptr;
  bool opened_ = false;
};

}  // namespace lirvan
