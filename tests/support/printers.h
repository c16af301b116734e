#pragma once

// Lets GoogleTest show Qt strings as text in failure messages.

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(QStringView text, std::ostream *out)
{
    PrintTo(text.toString(), out);
}
