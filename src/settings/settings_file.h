// Typed access to the profile file, through a sticky current section.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"
#include "platform/controls.h"
#include "platform/profile_store.h"

namespace pelmora {

extern const char* const kSettingsFileName;  // "\Pelmora.ini"

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

Text dateTimeText(const DateTime& value);
// Reads what dateTimeText writes; missing parts are 0.
DateTime parseDateTime(const Text& text);

extern const char* const kLineBreakMark;  // stands for CR LF
extern const char* const kFieldMark;      // between the fields of a list item

class SettingsFile {
public:
    explicit SettingsFile(ProfileStore* store = nullptr) : store_(store) {}

    void release();
    SettingsFile clone() const;

    void setFile(const Text& path);
    void setFile(const Text& path, const Text& section);
    void setSection(const Text& section);
    const Text& filePath() const { return filePath_; }
    const Text& currentSection() const { return currentSection_; }

    bool writeText(const Text& key, const Text& value);
    Text readText(const Text& key, const Text& def = Text());
    bool writeNumber(const Text& key, double number);
    double readNumber(const Text& key, double def = 0);
    bool writeBool(const Text& key, bool value);
    bool readBool(const Text& key, bool def = false);
    bool readBoolNotFalse(const Text& key, bool def = false);
    bool writeDateTime(const Text& key, const DateTime& value);
    DateTime readDateTime(const Text& key, const DateTime& def = DateTime());

    bool writeMenuItem(Control& item);
    bool readMenuItem(Control& item);
    bool writeCheckBox(Control& box);
    bool readCheckBox(Control& box);
    bool writeRadioButton(Control& button) { return writeCheckBox(button); }
    bool readRadioButton(Control& button) { return readCheckBox(button); }
    bool writeMultiLineEdit(const Text& key, Control& edit);
    Text readMultiLineEdit(const Text& key, Control& edit);
    bool writeEdit(const Text& key, Control& edit);
    Text readEdit(const Text& key, Control& edit);
    bool writeListBox(const Text& key, Control& list);
    void readListBox(const Text& key, Control& list);
    bool writeComboBox(const Text& key, Control& combo);
    Text readComboBox(const Text& key, Control& combo);
    void saveWindowPlacement(Window& window, const Text& section = Text());
    void restoreWindowPlacement(Window& window, const Text& section = Text());

private:
    Text read(const Text& key, const Text& def);
    bool write(const Text& key, const Text& value);

    ProfileStore* store_;
    Text filePath_;
    Text currentSection_;
};

// Replaces every occurrence of what by with.
Text replaceAll(const Text& text, const Text& what, const Text& with);

}  // namespace pelmora
