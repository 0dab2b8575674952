#pragma once
// Small pieces the tool views share.
#include <QObject>
#include <functional>

#include "shell/commands.h"

class QWidget;

namespace lirvan {

class Speaker;
class ToolHost;

// Calls the handler each time the widget takes or loses the keyboard focus,
// except while its window is closing with the program (a window that closes
// gives the focus to the next, which must not announce itself then).
void OnFocusIn(QWidget* widget, std::function<void()> handler);
void OnFocusOut(QWidget* widget, std::function<void()> handler);

// Marks a window as closing (or not): its focus announcements stay silent.
void SetClosingQuietly(QWidget* window, bool closing);

// Punctuation switched between none and the level last on, the new level
// spoken and the switch shown in a message box with these texts (UTF-8).
void TogglePunctuation(Speaker& speaker, QWidget* parent, const char* onText,
                       const char* offText);

// The settings (F2) and punctuation (Ctrl+M) commands as the editor and the
// mail views handle them; false for any other command.
bool HandleSettingsCommand(ToolHost& host, QWidget* parent, Command command);

}  // namespace lirvan
