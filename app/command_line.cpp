#include "app/command_line.h"

std::optional<int> answerCommandLine(const std::vector<std::string>& args, std::ostream& out) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            out << "用法：tarvo [--help] [--version]\n"
                   "Tarvo码输入法教学训练软件：指法热身、字词训练、文章练习和学习记录。\n"
                   "不带参数时打开开始窗口。学习者的成绩和学习记录保存在\n"
                   "$XDG_DATA_HOME/tarvo（通常是 ~/.local/share/tarvo）。\n"
                   "  -h, --help     显示本说明后退出\n"
                   "      --version  显示版本后退出\n";
            return 0;
        }
        if (a == "--version") {
            out << "tarvo " TARVO_VERSION "\n";
            return 0;
        }
    }
    return std::nullopt;
}
