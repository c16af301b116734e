#include "engine/input_fault.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// A longer element is cut, so that the tooltip stays one line.
constexpr qsizetype ShownElementLength = 20;

// Characters as the user counts them: a pair of surrogates is one.
qsizetype characterNumber(QStringView text, qsizetype index)
{
    qsizetype number = 1;
    for (qsizetype i = 0; i < index && i < text.size(); ++i) {
        if (!text[i].isLowSurrogate()) {
            ++number;
        }
    }
    return number;
}

QString shown(QStringView element)
{
    if (element.size() <= ShownElementLength) {
        return element.toString();
    }
    return element.first(ShownElementLength).toString() + u'…';
}

} // namespace

std::optional<InputFault> firstUnpairedBracket(QStringView text)
{
    std::vector<qsizetype> open;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'<') {
            open.push_back(i);
        } else if (text[i] == u'>') {
            if (open.empty()) {
                return InputFault{InputFault::Kind::StrayClose, i, u">"_s};
            }
            open.pop_back();
        }
    }
    if (open.empty()) {
        return std::nullopt;
    }
    return InputFault{InputFault::Kind::Unclosed, open.front(), openElement(text, open.front())};
}

QString openElement(QStringView text, qsizetype open)
{
    const qsizetype next = text.indexOf(u'<', open + 1);
    return text.sliced(open, (next < 0 ? text.size() : next) - open).toString();
}

QString faultLine(QStringView text, const InputFault &fault)
{
    QString where = u"An Stelle %1: "_s.arg(characterNumber(text, fault.at));
    const QString element = shown(fault.element);
    switch (fault.kind) {
    case InputFault::Kind::Unclosed:
        return where + u"'%1' wird nicht geschlossen."_s.arg(element);
    case InputFault::Kind::StrayClose:
        return where + u"'>' ohne öffnendes '<'."_s;
    case InputFault::Kind::UnknownToken:
        return where + u"unbekanntes Token '%1'."_s.arg(element);
    case InputFault::Kind::NotAllowed:
        return where + u"'%1' ist hier nicht erlaubt."_s.arg(element);
    case InputFault::Kind::TooManyTokens:
        return where + u"mehr als 99 Elemente."_s;
    }
    return where;
}

} // namespace namenswerk
