#include "engine/value_separators.h"

namespace namenswerk {

QString withValueSeparatorsMarked(QString value)
{
    value.replace(u'/', QChar(ValueSlash));
    value.replace(u'\\', QChar(ValueBackslash));
    return value;
}

QString withValueSeparatorsShown(QString text)
{
    text.replace(QChar(ValueSlash), u'/');
    text.replace(QChar(ValueBackslash), u'\\');
    return text;
}

} // namespace namenswerk
