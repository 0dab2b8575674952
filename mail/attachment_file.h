#pragma once
// Attachments written under Mail/. A name from a mail is hostile input: it
// is reduced to a plain base name before it meets the folder, and a file
// already there is never overwritten (a number is added instead).
#include <QByteArray>
#include <QString>
#include <optional>

namespace lirvan {

// No folder part ("/", "\"), no "..", no control or bidirectional
// characters, not hidden, not a device name, not empty, not too long.
QString SafeAttachmentName(const QString& name);

// The documents the program opens: pdf, doc, txt and those of the editor.
bool AcceptedAttachment(const QString& name);

// Writes the bytes to folder/name, or to "name (2).ext" and on when that
// is taken; the folder is made when missing. The name actually used, or
// nothing when no file could be created.
std::optional<QString> SaveAttachment(const QString& folder, const QString& safeName,
                                      const QByteArray& data);

}  // namespace lirvan
