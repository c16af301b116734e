#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace namenswerk {

// Everything the user sets to define new names: the five text inputs and the
// options of the main window. Record 0 mirrors the input fields; records 1 to
// 20 are the saved profiles. Field names are also the keys of the settings file.
struct RenameSettings {
    QString name;        // profile name (record 0: the profile in use, empty when none)
    bool active = false; // the record holds a profile; record 0 is always in use
    QString regFindname; // name expression in the pattern dialect
    QString regFindext;  // extension expression
    QString regReplace;  // target template
    bool regCase = false;
    QString txtFind;    // initial search-and-replace list
    QString txtReplace; // final search-and-replace list
    bool txtFirst = false;
    bool txtName = true;
    bool txtCase = false;
    bool txtAll = true;
    int filenameCase = 0; // case mode 0..5 of the name part
    int fileextCase = 0;  // case mode 0..5 of the extension
    bool fileDate = false;
    // The run orders its renames so that chains and swaps within it succeed.
    bool resolveChains = false;

    bool operator==(const RenameSettings &) const = default;

    // A record that was cleared: empty texts, every option off.
    static RenameSettings cleared()
    {
        return {{},    false, {},    {},    {}, false, {},    {},
                false, false, false, false, 0,  0,     false, false};
    }
};

// Slot 0 is the current record, slots 1 to 20 hold profiles without gaps.
inline constexpr int ProfileSlots = 20;
using SettingsRecords = std::array<RenameSettings, ProfileSlots + 1>;

// Tells the rename run whether new names keep their extensions. The template
// parser owns the first two bits, the new-name computation the other two.
enum ExtensionFlag : std::uint8_t {
    TemplateHasDot = 1,
    TemplateUsesExtension = 2,
    SomeWithExtension = 4,
    SomeWithoutExtension = 8,
};

class ExtensionFlags {
public:
    bool has(ExtensionFlag flag) const { return (bits_ & flag) != 0; }
    void set(ExtensionFlag flag) { bits_ |= flag; }
    void clear(ExtensionFlag flag) { bits_ &= static_cast<std::uint8_t>(~flag); }
    void clearAll() { bits_ = 0; }
    int bits() const { return bits_; }

private:
    std::uint8_t bits_ = 0;
};

} // namespace namenswerk
