#pragma once
// The header block of a message or of one part: names matched at the start
// of a line without regard to case, folded lines joined.
#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <utility>
#include <vector>

namespace lirvan {

// A message or part split at its first empty line (CR LF or LF alone).
// Without one, everything is header and the body is empty.
struct Entity {
  QByteArrayView header;
  QByteArrayView body;
};
Entity SplitEntity(QByteArrayView text);

class HeaderBlock {
 public:
  explicit HeaderBlock(QByteArrayView header);

  // The unfolded raw value of the first field of that name (given in
  // lower case), without the blanks around it; empty when absent.
  QByteArray Value(QByteArrayView lowerName) const;
  bool Has(QByteArrayView lowerName) const;

 private:
  std::vector<std::pair<QByteArray, QByteArray>> fields_;  // lower-case name, value
};

// A structured value such as Content-Type or Content-Disposition:
// "text/plain; charset=utf-8; name*0*=UTF-8''a%20b; name*1=.pdf".
struct HeaderParameters {
  QByteArray value;                 // lower case: "text/plain"
  QMap<QByteArray, QString> params;  // lower-case names, decoded values
  QString Param(const QByteArray& name) const { return params.value(name); }
};
HeaderParameters ParseParameters(QByteArrayView raw);

}  // namespace lirvan
