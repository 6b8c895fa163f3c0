#include "app/help.h"

#include "app/globals.h"

namespace pelmora {

const Text& helpText() {
    static const Text text = [] {
        const char* const lines[] = {
            "直接设置直接生效，无需确定之类。",
            "当开启壁纸切换功能时，关闭窗口则进入后台运行，假设这时您选中了后台时有托盘，则将在托盘区创建一个本程序的图标，从这个图标可以唤出本设置窗口或执行右键退出进程等。",
            "当关闭壁纸切换功能并选择关闭窗口时，也将自动关闭后台进程。",
            "***********下面时运行时热键响应列表：*************",
            "【Win + ←】 左翻切换背景图片",
            "【Win + →】 右翻切换背景图片",
            "【Win + Del】 删除当前背景图片并切换新图片",
            "【Win + Enter】 显示设置窗口",
            "【Win + X】 退出进程",
        };
        Text t;
        for (const char* line : lines) t += Text(line) + "\r\n\r\n";
        return t;
    }();
    return text;
}

void showInstructions(Globals& g) { noticeBox(g, helpText(), 0, "说明"); }

}  // namespace pelmora
