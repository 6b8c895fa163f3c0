// Small stateful fakes of the platform seam: they keep real state and record
// what was done to them.
#pragma once

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <new>
#include <optional>
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

// Folders hold entries in the order the enumeration returns them, after "."
// and "..", as NTFS and Wine do. A link is a folder path that leads to another.
class FakeFileSystem : public FileSystem {
public:
    std::map<Text, std::vector<DirectoryEntry>> folders;
    std::map<Text, Text> links;
    std::map<Text, Text> files;  // path -> bytes
    std::vector<Text> deleted;
    std::vector<std::string> log;
    std::set<Text> unwritable;   // paths whose writes fail
    bool readThrowsBadAlloc = false;
    int openEnumerations = 0;
    int enumerationsStarted = 0;
    int identityLookups = 0;

    // Adds a folder with its entries: names ending in "\\" are subfolders.
    void addFolder(const Text& folder, std::initializer_list<const char*> names) {
        auto& entries = folders[folder];
        for (const char* n : names) {
            Text name = n;
            const bool dir = !name.empty() && name.back() == '\\';
            if (dir) {
                name.pop_back();
                folders[folder + "\\" + name];
            } else {
                files[folder + "\\" + name] = "bytes of " + name;
            }
            entries.push_back({name, dir});
        }
    }
    void addLink(const Text& folder, const Text& name, const Text& target) {
        folders[folder].push_back({name, true, true});
        links[folder + "\\" + name] = target;
    }

    Text resolve(const Text& path) const {
        Text out;
        std::size_t from = 0;
        for (;;) {
            const std::size_t at = path.find('\\', from);
            out += path.substr(from, at == Text::npos ? Text::npos : at - from);
            auto l = links.find(out);
            if (l != links.end()) out = l->second;
            if (at == Text::npos) return out;
            out += "\\";
            from = at + 1;
        }
    }

    Enumeration firstEntry(const Text& pattern, DirectoryEntry& entry) override {
        log.push_back("find " + pattern);
        if (pattern.size() < 2 || pattern.compare(pattern.size() - 2, 2, "\\*") != 0) return 0;
        auto f = folders.find(resolve(pattern.substr(0, pattern.size() - 2)));
        if (f == folders.end()) return 0;
        std::vector<DirectoryEntry> list = {{".", true, false}, {"..", true, false}};
        list.insert(list.end(), f->second.begin(), f->second.end());
        const Enumeration id = ++nextEnumeration_;
        open_[id] = {list, 1};
        entry = list[0];
        ++openEnumerations;
        ++enumerationsStarted;
        return id;
    }
    bool nextEntry(Enumeration e, DirectoryEntry& entry) override {
        auto& [list, at] = open_.at(e);
        if (at >= list.size()) return false;
        entry = list[at++];
        return true;
    }
    void closeEnumeration(Enumeration e) override {
        open_.erase(e);
        --openEnumerations;
    }
    std::optional<FolderIdentity> folderIdentity(const Text& folder) override {
        ++identityLookups;
        const Text real = resolve(folder);
        auto f = folders.find(real);
        if (f == folders.end()) return std::nullopt;
        return FolderIdentity{7, static_cast<std::uint64_t>(std::distance(folders.begin(), f))};
    }
    Text readWholeFile(const Text& path) override {
        log.push_back("read " + path);
        if (readThrowsBadAlloc) throw std::bad_alloc();
        auto f = files.find(resolve(path));
        return f == files.end() ? Text() : f->second;
    }
    bool writeWholeFile(const Text& path, const Text& bytes) override {
        log.push_back("write " + path);
        if (unwritable.count(path)) return false;
        files[path] = bytes;
        return true;
    }
    bool replaceFile(const Text& from, const Text& to) override {
        log.push_back("replace " + to);
        auto f = files.find(from);
        if (f == files.end() || unwritable.count(to)) return false;
        files[to] = f->second;
        files.erase(f);
        return true;
    }
    bool deleteFile(const Text& path) override {
        log.push_back("delete " + path);
        deleted.push_back(path);
        return files.erase(path) > 0;
    }

private:
    std::map<Enumeration, std::pair<std::vector<DirectoryEntry>, std::size_t>> open_;
    Enumeration nextEnumeration_ = 0;
};

// "Decodes" anything but empty bytes and the word garbage.
class FakeImaging : public Imaging {
public:
    struct Set {
        Text path;
        std::int32_t style;
    };
    std::vector<Set> sets;
    int transcodes = 0;
    Text transcodeToBmp(const Text& bytes) override {
        ++transcodes;
        if (bytes.empty() || bytes.find("garbage") != Text::npos) return Text();
        return "BM<" + bytes + ">";
    }
    bool setDesktopWallpaper(const Text& path, std::int32_t style) override {
        sets.push_back({path, style});
        return true;
    }
};

class FakeClock : public Clock {
public:
    std::uint32_t now = 0;
    std::uint32_t tickCount() override { return now; }
};

// A periodic timer on a virtual clock: runFor moves time on and delivers the
// ticks that fall due, each to onTick.
class FakeTimer : public Timer {
public:
    std::int64_t now = 0;
    bool running = false;
    std::uint32_t period = 0;
    std::int64_t due = 0;
    int starts = 0, stops = 0;
    std::vector<std::int64_t> tickTimes;
    std::function<void()> onTick;

    void start(std::uint32_t ms) override {
        ++starts;
        running = true;
        period = ms;
        due = now + ms;
    }
    void stop() override {
        ++stops;
        running = false;
    }
    void runFor(std::int64_t ms) {
        const std::int64_t end = now + ms;
        while (running && due <= end) {
            now = due;
            due += period;
            tickTimes.push_back(now);
            if (onTick) onTick();  // may move time on, as a long walk does
        }
        now = std::max(now, end);
    }
};

// One fake of each service, wired into a platform table.
struct FakePlatform {
    FakeProfileStore profile;
    FakeRegistry registry;
    FakeUi ui;
    FakeFileSystem files;
    FakeImaging imaging;
    FakeClock clock;
    FakeTimer timer;
    Platform table{&profile, &registry, &ui, &files, &imaging, &clock, &timer};
};

}  // namespace pelmora::fakes
