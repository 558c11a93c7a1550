// QtPrinters: readable failure messages for Qt strings; every window test includes it, so that all of them print
// Qt strings the same way.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (const QString& s : list) *os << " \"" << s.toStdString() << '"';
    *os << " }";
}
