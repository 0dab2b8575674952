// The browser view's reading: read-next in the current mode, what the walk
// asks of the page, the choice fields and selection lists, and what is
// typed into a field.
#include <QApplication>
#include <QKeyEvent>

#include "browser/form_objects.h"
#include "browser/lirvan_view.h"
#include "browser/page_bridge.h"
#include "shell/command_table.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"

namespace lirvan {

namespace {

ElementAction ToElementAction(PageActionKind kind) {
  switch (kind) {
    case PageActionKind::Focus:
      return ElementAction::Focus;
    case PageActionKind::SelectText:
      return ElementAction::SelectText;
    case PageActionKind::SelectOption:
      return ElementAction::SelectOption;
  }
  return ElementAction::Focus;
}

}  // namespace

void CLirvanView::ReadNext() {
  if (!m_bPageLoaded) return;
  Perform(lirvan::ReadNext(m_snapshot, m_reading));
}

void CLirvanView::Perform(const WalkEvents& events) {
  for (const WalkEvent& event : events.events()) {
    if (const auto* said = std::get_if<Utterance>(&event)) {
      if (said->wait) {
        m_speaker.SpeakAndWait(said->text);
      } else {
        m_speaker.Speak(said->text);
      }
    } else {
      const auto& action = std::get<PageAction>(event);
      SendAction(action.element, ToElementAction(action.kind), nullptr);
    }
  }
}

void CLirvanView::SendAction(int element, ElementAction action,
                             std::function<void(ActionResult)> done) {
  const std::uint32_t serial = m_nLoadSerial;
  m_bridge->Act(m_snapshot.generation, element, action,
                [this, serial, done = std::move(done)](ActionResult result) {
                  if (serial != m_nLoadSerial) return;
                  if (result == ActionResult::Stale || result == ActionResult::Gone) {
                    RefuseLateAction();
                  } else if (done) {
                    done(result);
                  }
                });
}

void CLirvanView::RefuseLateAction() {
  // The element is not the one the user heard of: nothing is done to the
  // page, and the snapshot is taken again.
  m_speaker.Speak(Cp("Bu öğe sayfada artık yok, sayfa yeniden tarandı"));
  if (!m_bSnapshotInFlight) TakeSnapshot(SnapshotPurpose::Refused);
}

void CLirvanView::ToggleChoiceField() {
  if (!m_reading.m_bChoiceFieldHeld) return;
  SendAction(m_reading.m_nChoiceField, ElementAction::Toggle, [this](ActionResult result) {
    m_speaker.Speak(Cp(result == ActionResult::On ? "Seçim yapıldı" : "Seçim iptal edildi"));
  });
}

void CLirvanView::SkipOptions() {
  m_reading.m_bSkipOptions = true;
  m_speaker.Speak(Cp("Kalan seçenekler atlanacak"));
}

void CLirvanView::CommitPendingList() {
  const int list = m_reading.m_nPendingList;
  m_reading.m_nPendingList = -1;
  SendAction(list, ElementAction::Commit,
             [this](ActionResult) { m_speaker.Speak(Cp("Seçenek onaylandı")); });
}

void CLirvanView::ReadFocusedField() {
  m_bridge->FocusedField([this](std::optional<FieldInfo> field) {
    if (!field) {
      m_speaker.Speak(Cp("Bir girdi alanında değilsiniz"));
    } else if (field->password) {
      // A password is never read out; its length tells what was typed.
      m_speaker.SpeakAndWait(Cp("Şifre alanında"));
      m_speaker.SpeakDirect(std::to_string(field->value.size()));
      m_speaker.SpeakAndWait(Cp("karakter var"));
    } else if (field->value.empty()) {
      m_speaker.Speak(Cp("Alan boş"));
    } else {
      m_speaker.Speak(Plain(StoredText(field->value)));
    }
  });
}

bool CLirvanView::eventFilter(QObject* watched, QEvent* event) {
  // Each key once: as it reaches the focused control inside this view.
  if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget() ||
      !Contains(watched) || QApplication::activeModalWidget() != nullptr) {
    return false;
  }
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (CommandForKey(key.key(), key.modifiers())) return false;  // the table's own
  const bool plainKey = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plainKey && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
      m_reading.m_nPendingList >= 0) {
    CommitPendingList();
    return true;
  }
  EchoTypedKey(key);
  return false;
}

void CLirvanView::EchoTypedKey(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
  const bool backspace = key.key() == Qt::Key_Backspace;
  const QString text = key.text();
  if (!backspace && (text.isEmpty() || !text.front().isPrint())) return;
  const char typed = backspace ? '\b' : LastCp1254Character(text);
  // Only what goes into a text field is echoed, as the editor echoes it.
  m_bridge->FocusedField([this, typed](std::optional<FieldInfo> field) {
    if (!field) return;
    if (typed == '\b') {
      m_speaker.SpeakVerbatim("Sil");
    } else if (field->password) {
      return;
    } else if (typed == ' ') {
      const std::string word = WordBeforeCaret(*field);
      if (word.size() == 1) {
        m_speaker.SpeakCharacter(word.front());
      } else if (!word.empty()) {
        m_speaker.SpeakAndWait(Plain(word));
      }
      m_speaker.SpeakCharacter(' ');
    } else if (m_host.EchoCharacters()) {
      m_speaker.SpeakCharacter(typed);
    }
  });
}

}  // namespace lirvan
