#include "app/forms.h"

namespace pelmora {

const WindowForm& settingsWindowForm() {
    using K = ControlKind;
    static const WindowForm form{
        "Pelmora(Vask) v1.03",
        496,
        372,
        {
            {"分组框1", K::GroupBox, "", 8, 152, 475, 117, "图片设置", {}},
            {"标签1", K::Label, "分组框1", 8, 20, 304, 20, "选择要自动换壁纸的图片目录", {}},
            {"选择框包含子目录", K::CheckBox, "分组框1", 278, 20, 104, 20, "包含子目录(&Z)", {}},
            {"选择框随机显示", K::CheckBox, "分组框1", 383, 20, 89, 20, "随机显示(&D)", {}},
            {"编辑框图片目录", K::Edit, "分组框1", 8, 46, 368, 20, "", {}},
            {"按钮浏览", K::Button, "分组框1", 383, 44, 83, 24, "浏览(&B)...", {}},
            {"标签3", K::Label, "分组框1", 8, 86, 56, 20, "更换间隔", {}},
            {"编辑框间隔时间", K::Edit, "分组框1", 62, 86, 57, 20, "10", {}, true},
            {"组合框时间单位", K::DropDownList, "分组框1", 141, 86, 64, 20, "",
             {"秒", "分钟", "小时", "天", "登录"}},
            {"标签2", K::Label, "分组框1", 256, 86, 56, 20, "显示样式", {}},
            {"组合框样式", K::DropDownList, "分组框1", 312, 86, 64, 20, "", {"居中", "平铺", "拉伸"}},
            {"按钮立即换图", K::Button, "分组框1", 384, 84, 80, 24, "立即换图(&L)", {}},
            {"时钟刷新", K::Timer, "分组框1", 0, 0, 0, 0, "", {}},
            {"超级链接框关于", K::Link, "", 55, 277, 33, 20, "关于", {}},
            {"超级链接框快捷键", K::Link, "", 103, 277, 64, 20, "操作说明", {}},
            {"分组框2", K::GroupBox, "", 8, 280, 475, 51, "选项", {}},
            {"选择框开启", K::CheckBox, "分组框2", 8, 21, 128, 20, "开启壁纸自动换(H)", {}},
            {"选择框随系统启动", K::CheckBox, "分组框2", 140, 21, 100, 20, "随系统运行(S)", {}},
            {"选择框后台托盘", K::CheckBox, "分组框2", 252, 21, 112, 20, "后台时有托盘(T)", {}},
            {"按钮关闭", K::Button, "分组框2", 384, 18, 80, 24, "关闭(&Q)", {}},
        },
        "菜单",
        {{"设置...(&X)"}, {"-"}, {"操作说明...(&K)"}, {"退出进程(&T)"}, {"-"}, {"关于...(&G)"}},
    };
    return form;
}

// Our pictures, by their resource numbers.
constexpr int kAboutBanner = 102, kAboutPicture = 103, kAboutNote = 104, kAboutEmblem = 105;

const WindowForm& aboutWindowForm() {
    using K = ControlKind;
    const Text site = "https://pelmora.example/";
    static const WindowForm form{
        "",
        445,
        302,
        {
            {"背景图片", K::Picture, "", 0, 0, 435, 80, "", {}, false, kAboutBanner},
            {"图片框1", K::Picture, "", 8, 70, 150, 150, "", {}, false, kAboutPicture},
            {"标签5", K::Label, "", 184, 67, 40, 20, "开发：", {}},
            {"超级链接框5", K::Link, "", 224, 67, 48, 20, "Pelmora", {}, false, 0, site},
            {"标签1", K::Label, "", 184, 101, 40, 20, "博客：", {}},
            {"超级链接框1", K::Link, "", 224, 101, 90, 20, "项目主页", {}, false, 0, site},
            {"标签3", K::Label, "", 184, 135, 40, 20, "邮件：", {}},
            {"超级链接框3", K::Link, "", 224, 135, 102, 20, "hello@pelmora", {}, false, 0,
             "mailto:hello@pelmora.example"},
            {"标签2", K::Label, "", 184, 169, 32, 20, "Q  Q：", {}},
            {"超级链接框2", K::Link, "", 224, 169, 68, 20, "无", {}},
            {"图片框2", K::Picture, "", 336, 168, 64, 64, "", {}, false, kAboutNote},
            {"标签6", K::Label, "", 184, 205, 40, 20, "地区：", {}},
            {"超级链接框6", K::Link, "", 224, 205, 96, 20, "开源社区", {}},
            {"图片框3", K::Picture, "", 8, 240, 48, 48, "", {}, false, kAboutEmblem},
            {"超级链接框4", K::Link, "", 64, 240, 352, 48, "Pelmora(Vask) v1.03", {}, false, 0, site},
        },
        "",
        {},
    };
    return form;
}

const ControlForm* findControl(const WindowForm& form, const Text& name) {
    for (const ControlForm& c : form.controls)
        if (c.name == name) return &c;
    return nullptr;
}

Placement placeInWindow(const WindowForm& form, const ControlForm& control) {
    Placement p{control.x, control.y};
    if (control.container.empty()) return p;
    for (const ControlForm& c : form.controls) {
        if (c.name == control.container) {
            const Placement outer = placeInWindow(form, c);
            return {outer.x + p.x, outer.y + p.y};
        }
    }
    return p;
}

}  // namespace pelmora
