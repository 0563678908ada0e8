#include "app/desktop/MimeAppsList.h"

#include <algorithm>
#include <vector>

namespace zef {
namespace {

constexpr std::string_view kDefaultsHeader = "[Default Applications]";
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsHeader(std::string_view line) {
    return Trimmed(line).starts_with('[');
}

bool IsKeyOf(std::string_view line, std::string_view mimeType) {
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && Trimmed(line.substr(0, equals)) == mimeType;
}

// The text as lines without their line ends, and back.
std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// Where the first defaults group and the type's first key in it are, as line indices; npos
// when missing.
struct Place {
    std::size_t header = std::string::npos;
    std::size_t key = std::string::npos;
};

Place Find(const std::vector<std::string>& lines, std::string_view mimeType) {
    Place place;
    const auto header = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return Trimmed(line) == kDefaultsHeader;
    });
    if (header == lines.end()) {
        return place;
    }
    place.header = static_cast<std::size_t>(header - lines.begin());
    for (std::size_t index = place.header + 1; index < lines.size() && !IsHeader(lines[index]);
         ++index) {
        if (IsKeyOf(lines[index], mimeType)) {
            place.key = index;
            break;
        }
    }
    return place;
}

// The desktop entries of a key's line, in order, without `leaving`.
std::vector<std::string> DefaultsOf(std::string_view line, std::string_view leaving) {
    std::vector<std::string> ids;
    std::string_view value = line.substr(line.find('=') + 1);
    while (!value.empty()) {
        const std::size_t end = value.find(';');
        const std::string_view id = Trimmed(value.substr(0, end));
        if (!id.empty() && id != leaving) {
            ids.emplace_back(id);
        }
        value = end == std::string_view::npos ? std::string_view{} : value.substr(end + 1);
    }
    return ids;
}

std::string KeyLine(std::string_view mimeType, const std::vector<std::string>& ids) {
    std::string line(mimeType);
    line += '=';
    for (const std::string& id : ids) {
        line += id;
        line += ';';
    }
    return line;
}

}  // namespace

std::string WithDefaultApplication(std::string_view list, std::string_view mimeType,
                                   std::string_view desktopId) {
    std::vector<std::string> lines = Lines(list);
    const Place place = Find(lines, mimeType);
    std::vector<std::string> ids{std::string(desktopId)};
    if (place.key != std::string::npos) {
        const std::vector<std::string> others = DefaultsOf(lines[place.key], desktopId);
        ids.insert(ids.end(), others.begin(), others.end());
        lines[place.key] = KeyLine(mimeType, ids);
    } else if (place.header != std::string::npos) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.header) + 1,
                     KeyLine(mimeType, ids));
    } else {
        if (!lines.empty() && !Trimmed(lines.back()).empty()) {
            lines.emplace_back();
        }
        lines.emplace_back(kDefaultsHeader);
        lines.push_back(KeyLine(mimeType, ids));
    }
    return Joined(lines);
}

std::string WithoutDefaultApplication(std::string_view list, std::string_view mimeType,
                                      std::string_view desktopId) {
    std::vector<std::string> kept;
    bool changed = false;
    bool inDefaults = false;
    std::size_t header = 0;
    bool groupLostAKey = false;
    // A defaults group that lost a key and has only blank lines left loses its header too.
    const auto endGroup = [&] {
        if (inDefaults && groupLostAKey &&
            std::all_of(kept.begin() + static_cast<std::ptrdiff_t>(header) + 1, kept.end(),
                        [](const std::string& line) { return Trimmed(line).empty(); })) {
            kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(header));
        }
    };
    for (const std::string& line : Lines(list)) {
        if (IsHeader(line)) {
            endGroup();
            inDefaults = Trimmed(line) == kDefaultsHeader;
            header = kept.size();
            groupLostAKey = false;
        } else if (inDefaults && IsKeyOf(line, mimeType)) {
            const std::vector<std::string> others = DefaultsOf(line, desktopId);
            if (others.size() != DefaultsOf(line, {}).size()) {
                changed = true;
                if (others.empty()) {
                    groupLostAKey = true;
                    continue;
                }
                kept.push_back(KeyLine(mimeType, others));
                continue;
            }
        }
        kept.push_back(line);
    }
    endGroup();
    return changed ? Joined(kept) : std::string(list);
}

}  // namespace zef
