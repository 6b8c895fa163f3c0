// Small stateful fakes of the platform seam: they keep real state and record
// what was done to them.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/controls.h"
#include "platform/platform.h"

namespace pelmora::fakes {

class FakeProfileStore : public ProfileStore {
public:
    using Key = std::tuple<Text, Text, Text>;  // path, section, key
    std::map<Key, Text> values;
    std::vector<std::string> log;  // "read [section] key" / "write [section] key=value"
    std::vector<std::string>* journal = nullptr;  // shared with other fakes, for order checks
    bool refuseWrites = false;

    Text readString(const Text& section, const Text& key, const Text& def,
                    const Text& path) override {
        note("read [" + section + "] " + key);
        auto it = values.find({path, section, key});
        const Text& v = it == values.end() ? def : it->second;
        return v.size() > 10239 ? v.substr(0, 10239) : v;
    }
    bool writeString(const Text& section, const Text& key, const Text& value,
                     const Text& path) override {
        note("write [" + section + "] " + key + "=" + value);
        if (refuseWrites) return false;
        values[{path, section, key}] = value;
        return true;
    }
    void note(const std::string& line) {
        log.push_back(line);
        if (journal) journal->push_back(line);
    }
    bool hasSection(const Text& path, const Text& section) const {
        for (const auto& [k, v] : values)
            if (std::get<0>(k) == path && std::get<1>(k) == section) return true;
        return false;
    }
};

class FakeRegistry : public Registry {
public:
    using KeyPath = std::pair<RegistryRoot, Text>;
    std::map<KeyPath, std::map<Text, Text>> keys;  // existing keys and their values
    std::set<RegistryRoot> readOnlyRoots;           // open and create for writing refused
    std::vector<std::string> log;
    std::vector<std::string>* journal = nullptr;
    void note(const std::string& line) {
        log.push_back(line);
        if (journal) journal->push_back(line);
    }

    RegistryKey openForWrite(RegistryRoot root, const Text& path) override {
        note("open " + rootName(root));
        if (readOnlyRoots.count(root) || !keys.count({root, path})) return 0;
        return handleFor({root, path});
    }
    RegistryKey createKey(RegistryRoot root, const Text& path) override {
        note("create " + rootName(root));
        if (readOnlyRoots.count(root)) return 0;
        keys[{root, path}];
        return handleFor({root, path});
    }
    bool setText(RegistryKey key, const Text& name, const Text& data) override {
        note("set " + name);
        keys[open_.at(key)][name] = data;
        return true;
    }
    bool deleteValue(RegistryKey key, const Text& name) override {
        note("delete " + name);
        return keys[open_.at(key)].erase(name) > 0;
    }
    void close(RegistryKey key) override {
        note("close");
        open_.erase(key);
    }
    int openHandles() const { return static_cast<int>(open_.size()); }

    static std::string rootName(RegistryRoot r) {
        return r == RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
    }

private:
    RegistryKey handleFor(const KeyPath& p) {
        open_[++next_] = p;
        return next_;
    }
    std::map<RegistryKey, KeyPath> open_;
    RegistryKey next_ = 0;
};

class FakeUi : public Ui {
public:
    struct Box {
        Text text, caption;
        unsigned style;
    };
    std::vector<Box> boxes;
    int pumps = 0;
    std::function<void()> onPump;  // runs a nested request, as a real pump could

    void messageBox(const Text& text, const Text& caption, unsigned style) override {
        boxes.push_back({text, caption, style});
    }
    void pumpPendingEvents() override {
        ++pumps;
        if (onPump) onPump();
    }
};

class FakeControl : public Control {
public:
    Text text_;
    bool checked_ = false;
    int current_ = -1;
    bool enabled_ = true, visible_ = true;
    std::vector<ListItem> items;
    int textChanges = 0;  // what an edit box's text-changed handler would see

    explicit FakeControl(Text text = Text()) : text_(std::move(text)) {}
    Text text() const override { return text_; }
    void setText(const Text& t) override {
        text_ = t;
        ++textChanges;
    }
    bool checked() const override { return checked_; }
    void setChecked(bool c) override { checked_ = c; }
    int currentItem() const override { return current_; }
    void setCurrentItem(int i) override { current_ = i; }
    bool enabled() const override { return enabled_; }
    void setEnabled(bool e) override { enabled_ = e; }
    bool visible() const override { return visible_; }
    void setVisible(bool v) override { visible_ = v; }
    int itemCount() const override { return static_cast<int>(items.size()); }
    ListItem item(int i) const override { return items.at(static_cast<std::size_t>(i)); }
    void clearItems() override { items.clear(); }
    void addItem(const ListItem& item) override { items.push_back(item); }
};

class FakeWindow : public Window {
public:
    int state = 0;
    WindowRect r{10, 20, 496, 372};
    int placementState() const override { return state; }
    void setPlacementState(int s) override { state = s; }
    WindowRect rect() const override { return r; }
    void moveTo(const WindowRect& rect) override { r = rect; }
};

// One fake of each service, wired into a platform table.
struct FakePlatform {
    FakeProfileStore profile;
    FakeRegistry registry;
    FakeUi ui;
    Platform table{&profile, &registry, &ui};
};

}  // namespace pelmora::fakes
