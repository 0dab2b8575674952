#include "shell/menutipper/menu_tip_manager.h"

#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include "shell/command_table.h"
#include "shell/key_names.h"
#include "shell/menutipper/popup_text.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

namespace {

// The tip's text for a command: its prompt up to the first line end, at
// most 255 characters.
QString TipFor(Command command) {
  QString prompt = QString::fromUtf8(CommandPrompt(command).data(),
                                     static_cast<qsizetype>(CommandPrompt(command).size()));
  const qsizetype lineEnd = prompt.indexOf(QLatin1Char('\n'));
  if (lineEnd >= 0) prompt.truncate(lineEnd);
  return prompt.left(255);
}

std::optional<Command> CommandOf(const QAction* action) {
  bool ok = false;
  const int id = action->data().toInt(&ok);
  if (!ok || id == 0) return std::nullopt;
  return static_cast<Command>(id);
}

}  // namespace

MenuTipManager::MenuTipManager(QWidget& frame, Speaker& speaker)
    : QObject(&frame), frame_(frame), speaker_(speaker) {}

MenuTipManager::~MenuTipManager() = default;

QString MenuTipManager::WithoutMarkers(const QString& text) {
  QString plain = text;
  plain.remove(QLatin1Char('&'));
  return plain;
}

void MenuTipManager::Watch(QMenuBar* bar) {
  connect(bar, &QMenuBar::hovered, this, &MenuTipManager::OnDropDown);
}

void MenuTipManager::Watch(QMenu* menu) {
  connect(menu, &QMenu::hovered, this, [this, menu](QAction* action) { OnEntry(menu, action); });
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { justOpened_ = menu; });
  connect(menu, &QMenu::aboutToHide, this, [this, menu] { OnMenuClosed(menu); });
  menu->installEventFilter(this);
}

void MenuTipManager::EnsureTip() {
  if (tip_ != nullptr) return;
  tip_ = MakeOwnedByParent<CPopupText>(&frame_);
  tip_->SetMargins(4, 0);
}

void MenuTipManager::OnDropDown(QAction* action) {
  // The bar also passes on the hovering of its menus' entries; those are
  // heard from the menus themselves.
  if (action == nullptr || action->menu() == nullptr) return;
  EnsureTip();
  tip_->Cancel();
  sticky_ = false;
  speaker_.Speak(ToCp1254(WithoutMarkers(action->text())));
}

void MenuTipManager::OnEntry(QMenu* menu, QAction* action) {
  EnsureTip();
  if (action->menu() != nullptr) {
    OnDropDown(action);
    return;
  }
  if (action->isSeparator()) {
    sticky_ = tip_->IsShowingOrPending();
    tip_->Cancel();
    return;
  }
  sticky_ = tip_->isVisible() || sticky_;
  const std::optional<Command> command = CommandOf(action);
  const QString tip = command ? TipFor(*command) : QString();
  // The first entry of a menu just opened is heard with the menu's name,
  // which would otherwise be cut off at once.
  SpeechText spoken;
  if (justOpened_ == menu) spoken = ToCp1254(WithoutMarkers(menu->title()) + QStringLiteral(", "));
  justOpened_ = nullptr;
  if (tip.isEmpty()) {
    tip_->Cancel();
    spoken += ToCp1254(WithoutMarkers(action->text()));
  } else {
    PlaceTip(menu, action);
    tip_->SetText(tip);
    tip_->ShowDelayed(sticky_ ? 0 : delay_);
    spoken += ToCp1254(tip);
    const std::string key = SpokenKeyOf(*command);
    if (!key.empty()) spoken += Cp(", " + key);
  }
  speaker_.Speak(std::move(spoken));
}

void MenuTipManager::OnMenuClosed(QMenu* menu) {
  if (justOpened_ == menu) justOpened_ = nullptr;
  if (tip_ != nullptr) tip_->Cancel();
  mouseSelection_ = false;
  sticky_ = false;
}

void MenuTipManager::PlaceTip(QMenu* menu, QAction* action) {
  const QRect entry = menu->actionGeometry(action);
  const QPoint place = menu->mapToGlobal(QPoint(menu->width() + 2, entry.top()));
  tip_->move(place);
}

bool MenuTipManager::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      mouseSelection_ = true;
      break;
    case QEvent::KeyPress:
      mouseSelection_ = false;
      break;
    case QEvent::Leave:
      // The mouse left the menu it was choosing in: the tip goes.
      if (mouseSelection_ && tip_ != nullptr) tip_->Cancel();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lirvan
