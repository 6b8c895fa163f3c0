// A settings window over fake controls made from the real form. Writing an
// edit box's text runs its text-changed handler at once, as EN_CHANGE does;
// setting a check box or a list's current item runs nothing.
#pragma once

#include <map>
#include <memory>

#include "app/forms.h"
#include "app/globals.h"
#include "app/settings_window.h"
#include "fakes/fake_platform.h"

namespace pelmora::fakes {

class FormControl : public FakeControl {
public:
    FormControl(Globals*& g, const ControlForm& form, std::vector<std::string>& writes)
        : FakeControl(form.caption), g_(g), name_(form.name), kind_(form.kind),
          itemCount_(static_cast<int>(form.items.size())), writes_(writes) {}
    void setChecked(bool c) override {
        writes_.push_back("checked " + name_);
        FakeControl::setChecked(c);
    }
    void setText(const Text& t) override {
        writes_.push_back("text " + name_);
        FakeControl::setText(t);
        if (kind_ == ControlKind::Edit && g_) handleControlEvent(*g_, name_, ControlEvent::TextChanged);
    }
    void setCurrentItem(int i) override {
        writes_.push_back("item " + name_);
        current_ = i > itemCount_ - 1 ? itemCount_ - 1 : (i < -1 ? -1 : i);
    }
    // What the user does: the state changes, then the handler runs.
    void userClick() {
        if (kind_ == ControlKind::CheckBox) checked_ = !checked_;
        handleControlEvent(*g_, name_, ControlEvent::Clicked);
    }
    void userSelect(int i) {
        setCurrentItem(i);
        handleControlEvent(*g_, name_, ControlEvent::ItemSelected);
    }
    void userType(const Text& t) { setText(t); }
    void userLeave() { handleControlEvent(*g_, name_, ControlEvent::FocusLost); }

private:
    Globals*& g_;
    Text name_;
    ControlKind kind_;
    int itemCount_;
    std::vector<std::string>& writes_;
};

class FakeAppWindow : public AppWindow {
public:
    Globals* g = nullptr;
    bool shown = false, iconic = false, onTop = false;
    int destroyRequests = 0;
    std::vector<std::string> log;
    std::vector<std::string> writes;  // every write to a control, in order

    FakeAppWindow(const FakeAppWindow&) = delete;  // its controls point back at g
    FakeAppWindow& operator=(const FakeAppWindow&) = delete;
    FakeAppWindow() {
        for (const ControlForm& c : settingsWindowForm().controls)
            controls_[c.name] = std::make_unique<FormControl>(g, c, writes);
    }
    FormControl& at(const Text& name) { return *controls_.at(name); }
    Control& control(const Text& name) override {
        auto it = controls_.find(name);
        return it == controls_.end() ? none_ : *it->second;
    }
    bool visible() const override { return shown; }
    void show() override {
        log.push_back("show");
        shown = true;
    }
    void hide() override {
        log.push_back("hide");
        shown = false;
    }
    bool minimised() const override { return iconic; }
    void restore() override {
        log.push_back("restore");
        iconic = false;
    }
    bool topmost() const override { return onTop; }
    void setTopmost(bool t) override {
        log.push_back(t ? "topmost" : "not topmost");
        onTop = t;
    }
    void requestDestroy() override { ++destroyRequests; }

private:
    std::map<Text, std::unique_ptr<FormControl>> controls_;
    FakeControl none_;
};

class FakeShell : public Shell {
public:
    Text result = Text(512, ' ');
    Text title, initial;
    unsigned flags = 0;
    int calls = 0;
    Text browseForFolder(const Text& t, unsigned f, const Text& i) override {
        ++calls;
        title = t;
        flags = f;
        initial = i;
        return result;
    }
};

}  // namespace pelmora::fakes
