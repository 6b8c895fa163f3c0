#include "settings/settings_file.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace pelmora {

const char* const kSettingsFileName = "\\Pelmora.ini";
const char* const kLineBreakMark = "【→↓】";
const char* const kFieldMark = "【==】";

namespace {

const char* const kYearMark = "年";
const char* const kMonthMark = "月";
const char* const kDayMark = "日";
const char* const kHourMark = "时";
const char* const kMinuteMark = "分";
const char* const kSecondMark = "秒";

std::vector<Text> split(const Text& text, const Text& separator) {
    std::vector<Text> pieces;
    if (text.empty()) return pieces;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        if (at == Text::npos) {
            pieces.push_back(text.substr(from));
            return pieces;
        }
        pieces.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
}

Text itemsText(const Control& list) {
    Text out;
    for (int i = 0; i < list.itemCount(); ++i) {
        const ListItem item = list.item(i);
        if (i > 0) out += kLineBreakMark;
        out += item.text + kFieldMark + boolText(item.checked) + kFieldMark +
               std::to_string(item.value);
    }
    return out;
}

}  // namespace

Text dateTimeText(const DateTime& v) {
    char buffer[160];
    int n = std::snprintf(buffer, sizeof buffer, "%d%s%d%s%d%s", v.year, kYearMark, v.month,
                          kMonthMark, v.day, kDayMark);
    Text out(buffer, static_cast<std::size_t>(n));
    if (v.second != 0) {
        n = std::snprintf(buffer, sizeof buffer, "%d%s%d%s%d%s", v.hour, kHourMark, v.minute,
                          kMinuteMark, v.second, kSecondMark);
    } else if (v.minute != 0) {
        n = std::snprintf(buffer, sizeof buffer, "%d%s%d%s", v.hour, kHourMark, v.minute,
                          kMinuteMark);
    } else if (v.hour != 0) {
        n = std::snprintf(buffer, sizeof buffer, "%d%s", v.hour, kHourMark);
    } else {
        n = 0;
    }
    out.append(buffer, static_cast<std::size_t>(n));
    return out;
}

DateTime parseDateTime(const Text& text) {
    // Each part is a number followed by its mark, in a fixed order; a part
    // that is absent stays 0.
    DateTime v;
    int* const fields[] = {&v.year, &v.month, &v.day, &v.hour, &v.minute, &v.second};
    const char* const marks[] = {kYearMark, kMonthMark, kDayMark, kHourMark, kMinuteMark,
                                 kSecondMark};
    std::size_t from = 0;
    for (int i = 0; i < 6; ++i) {
        const std::size_t at = text.find(marks[i], from);
        if (at == Text::npos) continue;
        *fields[i] = truncateToInt(parseNumber(text.substr(from, at - from)));
        from = at + Text(marks[i]).size();
    }
    return v;
}

Text replaceAll(const Text& text, const Text& what, const Text& with) {
    if (what.empty()) return text;
    Text out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(what, from);
        if (at == Text::npos) break;
        out.append(text, from, at - from);
        out += with;
        from = at + what.size();
    }
    out.append(text, from, Text::npos);
    return out;
}

void SettingsFile::release() {
    filePath_.clear();
    filePath_.shrink_to_fit();
    currentSection_.clear();
    currentSection_.shrink_to_fit();
}

SettingsFile SettingsFile::clone() const { return *this; }

void SettingsFile::setFile(const Text& path) { filePath_ = path; }

void SettingsFile::setFile(const Text& path, const Text& section) {
    filePath_ = path;
    currentSection_ = section;
}

void SettingsFile::setSection(const Text& section) { currentSection_ = section; }

Text SettingsFile::read(const Text& key, const Text& def) {
    const Text path = trimLeadingBlanks(filePath_);
    const Text section = trimLeadingBlanks(currentSection_);
    const Text name = trimLeadingBlanks(key);
    if (path.empty() || section.empty() || name.empty() || store_ == nullptr) return Text();
    return store_->readString(section, name, def, path);
}

bool SettingsFile::write(const Text& key, const Text& value) {
    if (store_ == nullptr) return false;
    return store_->writeString(currentSection_, key, value, filePath_);
}

bool SettingsFile::writeText(const Text& key, const Text& value) { return write(key, value); }

Text SettingsFile::readText(const Text& key, const Text& def) { return read(key, def); }

bool SettingsFile::writeNumber(const Text& key, double number) {
    return write(key, numberText(number));
}

double SettingsFile::readNumber(const Text& key, double def) {
    return parseNumber(read(key, numberText(def)));
}

bool SettingsFile::writeBool(const Text& key, bool value) { return write(key, boolText(value)); }

bool SettingsFile::readBool(const Text& key, bool def) {
    return read(key, boolText(def)) == kTrueText;
}

bool SettingsFile::readBoolNotFalse(const Text& key, bool def) {
    return read(key, boolText(def)) != kFalseText;
}

bool SettingsFile::writeDateTime(const Text& key, const DateTime& value) {
    return write(key, dateTimeText(value));
}

DateTime SettingsFile::readDateTime(const Text& key, const DateTime& def) {
    return parseDateTime(read(key, dateTimeText(def)));
}

bool SettingsFile::writeMenuItem(Control& item) { return writeBool(item.text(), item.checked()); }

bool SettingsFile::readMenuItem(Control& item) {
    item.setChecked(readBool(item.text(), item.checked()));
    return item.checked();
}

bool SettingsFile::writeCheckBox(Control& box) { return writeBool(box.text(), box.checked()); }

bool SettingsFile::readCheckBox(Control& box) {
    box.setChecked(readBool(box.text(), box.checked()));
    return box.checked();
}

bool SettingsFile::writeMultiLineEdit(const Text& key, Control& edit) {
    return write(key, replaceAll(edit.text(), "\r\n", kLineBreakMark));
}

Text SettingsFile::readMultiLineEdit(const Text& key, Control& edit) {
    edit.setText(replaceAll(read(key, edit.text()), kLineBreakMark, "\r\n"));
    return edit.text();
}

bool SettingsFile::writeEdit(const Text& key, Control& edit) { return write(key, edit.text()); }

Text SettingsFile::readEdit(const Text& key, Control& edit) {
    edit.setText(read(key, edit.text()));
    return edit.text();
}

bool SettingsFile::writeListBox(const Text& key, Control& list) {
    return write(key, itemsText(list));
}

void SettingsFile::readListBox(const Text& key, Control& list) {
    const Text value = read(key, itemsText(list));
    list.clearItems();
    for (const Text& piece : split(value, kLineBreakMark)) {
        std::vector<Text> fields = split(piece, kFieldMark);
        fields.resize(3);
        list.addItem({fields[0], fields[1] == kTrueText, truncateToInt(parseNumber(fields[2]))});
    }
}

bool SettingsFile::writeComboBox(const Text& key, Control& combo) {
    return write(key, combo.text());
}

Text SettingsFile::readComboBox(const Text& key, Control& combo) {
    combo.setText(read(key, combo.text()));
    return combo.text();
}

void SettingsFile::saveWindowPlacement(Window& window, const Text& section) {
    if (!section.empty()) currentSection_ = section;
    const int state = window.placementState();
    writeNumber("位置", state);
    if (state >= 2) return;
    const WindowRect r = window.rect();
    writeNumber("左边", r.left);
    writeNumber("顶边", r.top);
    writeNumber("宽度", r.width);
    writeNumber("高度", r.height);
}

void SettingsFile::restoreWindowPlacement(Window& window, const Text& section) {
    if (!section.empty()) currentSection_ = section;
    window.setPlacementState(truncateToInt(readNumber("位置", window.placementState())));
    if (window.placementState() >= 2) return;
    const WindowRect current = window.rect();
    WindowRect r;
    r.left = truncateToInt(readNumber("左边", current.left));
    r.top = truncateToInt(readNumber("顶边", current.top));
    r.width = truncateToInt(readNumber("宽度", current.width));
    r.height = truncateToInt(readNumber("高度", current.height));
    window.moveTo(r);
}

}  // namespace pelmora
