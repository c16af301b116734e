#pragma once

#include <QString>

#include <cstdint>
#include <string_view>
#include <utility>

namespace namenswerk {

// A date mask while its "%" fields are being replaced one kind after another.
// Field names are ASCII and match ASCII letters of either case only, so a
// letter such as "ſ" that merely folds to "s" never counts as a field.
//
// Masks are expanded once per entry, for up to a million entries, so the text
// keeps note of which letters follow a "%" at all: a field whose letter is not
// among them is passed over without searching.
class MaskFields {
public:
    explicit MaskFields(QString mask);

    // Whether field (upper-case, beginning with "%") occurs in the text.
    [[nodiscard]] bool contains(std::string_view field) const;

    // Replaces every occurrence of field, left to right without overlaps.
    // makeText is only called when the field occurs, because several
    // replacements ask the locale.
    template <typename MakeText> void replace(std::string_view field, MakeText makeText)
    {
        if (contains(field)) {
            replaceWith(field, makeText());
        }
    }

    QString take() { return std::move(text_); }

private:
    [[nodiscard]] qsizetype find(std::string_view field, qsizetype from) const;
    void replaceWith(std::string_view field, const QString &replacement);
    void noteFieldLetters();

    QString text_;
    std::uint32_t fieldLetters_ = 0; // bit n: a "%" is followed by letter 'A' + n
};

} // namespace namenswerk
