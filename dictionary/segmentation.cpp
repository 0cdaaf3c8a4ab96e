#include "dictionary/segmentation.h"

#include <algorithm>

namespace segmentation {

std::vector<std::string_view> articleLines(const std::vector<std::string>& display) {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < display.size() && !display[i].empty(); i += 2)
        out.emplace_back(display[i]);
    return out;
}

std::vector<std::string> joinWithSlashes(const std::vector<std::string_view>& lines,
                                         const std::vector<WordRun>& runs) {
    std::vector<std::string> out;
    size_t r = 0;
    for (size_t li = 0; li < lines.size(); ++li) {
        std::string_view s = lines[li];
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
        std::vector<std::string> tokens;
        size_t pos = 0;
        while (pos < s.size()) {
            while (r < runs.size() && (runs[r].articleLine < static_cast<int>(li) ||
                                       (runs[r].articleLine == static_cast<int>(li) &&
                                        static_cast<size_t>(runs[r].start) < pos)))
                ++r;
            if (r < runs.size() && runs[r].articleLine == static_cast<int>(li) &&
                static_cast<size_t>(runs[r].start) == pos) {
                const size_t len =
                    std::min<size_t>(static_cast<size_t>(runs[r].length), s.size() - pos);
                tokens.emplace_back(s.substr(pos, len));
                pos += std::max<size_t>(len, 1);
                ++r;
            } else {
                tokens.emplace_back(s.substr(pos, 2));
                pos += 2;
            }
        }
        std::string line;
        for (size_t t = 0; t < tokens.size(); ++t)
            line += (t ? "/" : "") + tokens[t];
        out.push_back(std::move(line));
    }
    return out;
}

} // namespace segmentation
