#pragma once

#include <QString>

namespace namenswerk {

// The small state icon beside an input field, as data: the window shows it,
// the engine decides it.
struct FieldIndicator {
    enum class State { Ok, Warning, Error };

    State state = State::Ok;
    QString tooltip = QStringLiteral("Ok.");

    bool operator==(const FieldIndicator &) const = default;
};

} // namespace namenswerk
