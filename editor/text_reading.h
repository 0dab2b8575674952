#pragma once
// The reading commands on a CRichText as the editor has them: read all,
// from the start, to the end, the selection, where-am-I, and find, next
// match, read between two matches and replace with the shared dialogs. The
// mail composer's body has the same, so both views hand these commands to
// one TextReading. It keeps the last search.
#include <QString>

#include "shell/commands.h"

class QWidget;

namespace lirvan {

class CRichText;
class Speaker;

class TextReading {
 public:
  TextReading(CRichText& richText, Speaker& speaker);

  // True when the command is one of the above; its dialogs open over
  // `parent`.
  bool OnCommand(Command command, QWidget* parent);

  const QString& searchWord() const { return m_strSearchWord; }
  int foundPosition() const { return m_nFoundPos; }

  void ReadAll();
  void ReadFromStart();
  void ReadToEnd();
  void ReadSelection();
  void WhereAmI();
  void Find(QWidget* parent);
  void NextMatch();
  void ReadBetween();
  void Replace(QWidget* parent);

 private:
  int Search(const QString& word, int from) const;
  void AnnounceMatch();

  CRichText& m_richText;
  Speaker& m_speaker;
  QString m_strSearchWord;
  int m_nFoundPos = 0;
};

}  // namespace lirvan
