#include "indexed_image.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>

namespace artwork {

namespace {

int DistanceSquared(Rgb a, Rgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

uint8_t Nearest(const std::vector<Rgb>& palette, Rgb colour) {
    size_t best = 0;
    for (size_t i = 1; i < palette.size(); ++i) {
        if (DistanceSquared(palette[i], colour) < DistanceSquared(palette[best], colour)) {
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

struct Counted {
    Rgb colour;
    int count;
};

uint8_t Channel(Rgb colour, int channel) {
    return channel == 0 ? colour.r : channel == 1 ? colour.g : colour.b;
}

// The channel along which a group of colours spreads most, and that spread.
std::pair<int, int> WidestChannel(const std::vector<Counted>& group) {
    std::pair<int, int> widest{0, -1};
    for (int channel = 0; channel < 3; ++channel) {
        const auto [low, high] = std::minmax_element(
            group.begin(), group.end(), [channel](const Counted& a, const Counted& b) {
                return Channel(a.colour, channel) < Channel(b.colour, channel);
            });
        const int spread = Channel(high->colour, channel) - Channel(low->colour, channel);
        if (spread > widest.second) {
            widest = {channel, spread};
        }
    }
    return widest;
}

Rgb Average(const std::vector<Counted>& group) {
    std::array<long, 3> sum{};
    long total = 0;
    for (const Counted& entry : group) {
        for (int channel = 0; channel < 3; ++channel) {
            sum[static_cast<size_t>(channel)] += Channel(entry.colour, channel) * entry.count;
        }
        total += entry.count;
    }
    const auto mean = [&](int channel) {
        return static_cast<uint8_t>((sum[static_cast<size_t>(channel)] + total / 2) / total);
    };
    return Rgb{mean(0), mean(1), mean(2)};
}

// Median cut: split the group with the widest spread at the pixel-weighted median of that
// spread until there are `count` groups, then take each group's mean colour.
std::vector<Rgb> MedianCut(std::vector<Counted> colours, size_t count) {
    std::vector<std::vector<Counted>> groups{std::move(colours)};
    while (groups.size() < count) {
        auto widest =
            std::max_element(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
                return WidestChannel(a).second < WidestChannel(b).second;
            });
        if (WidestChannel(*widest).second <= 0) {
            break;
        }
        const int channel = WidestChannel(*widest).first;
        std::sort(widest->begin(), widest->end(), [channel](const Counted& a, const Counted& b) {
            return Channel(a.colour, channel) != Channel(b.colour, channel)
                       ? Channel(a.colour, channel) < Channel(b.colour, channel)
                       : a.colour < b.colour;
        });
        long total = 0;
        for (const Counted& entry : *widest) {
            total += entry.count;
        }
        long seen = 0;
        size_t split = 1;
        while (split < widest->size() - 1 && (seen += (*widest)[split - 1].count) < total / 2) {
            ++split;
        }
        std::vector<Counted> upper(widest->begin() + static_cast<long>(split), widest->end());
        widest->resize(split);
        groups.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (const auto& group : groups) {
        palette.push_back(Average(group));
    }
    return palette;
}

void RequireOpaque(Rgba pixel) {
    if (pixel.a != 255) {
        throw std::invalid_argument("a picture for a palette has a partly transparent pixel");
    }
}

} // namespace

std::vector<Rgb> DistinctColours(const CRaster& picture) {
    std::set<Rgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            RequireOpaque(picture.at(x, y));
            colours.insert(ColourOf(picture.at(x, y)));
        }
    }
    return std::vector<Rgb>(colours.begin(), colours.end());
}

IndexedImage WithFixedPalette(const CRaster& picture, const std::vector<Rgb>& palette) {
    IndexedImage image{picture.width(), picture.height(), palette, {}, {}};
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgba pixel = picture.at(x, y);
            image.transparent.push_back(pixel.a == 0);
            if (pixel.a == 0) {
                image.indices.push_back(0);
                continue;
            }
            RequireOpaque(pixel);
            const auto found = std::find(palette.begin(), palette.end(), ColourOf(pixel));
            if (found == palette.end()) {
                throw std::invalid_argument("a picture uses a colour outside its fixed palette");
            }
            image.indices.push_back(static_cast<uint8_t>(found - palette.begin()));
        }
    }
    return image;
}

IndexedImage WithOwnPalette(const CRaster& picture, const std::vector<Rgb>& exact, size_t size) {
    if (exact.size() > size || size > 256) {
        throw std::invalid_argument("too many colours for one palette");
    }
    std::map<Rgb, int> counts;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            RequireOpaque(picture.at(x, y));
            ++counts[ColourOf(picture.at(x, y))];
        }
    }
    std::vector<Counted> others;
    for (const auto& [colour, count] : counts) {
        if (std::find(exact.begin(), exact.end(), colour) == exact.end()) {
            others.push_back(Counted{colour, count});
        }
    }
    IndexedImage image{picture.width(), picture.height(), exact, {}, {}};
    const size_t free = size - exact.size();
    if (others.size() <= free) {
        for (const Counted& entry : others) {
            image.palette.push_back(entry.colour);
        }
    } else if (free > 0) {
        for (Rgb colour : MedianCut(std::move(others), free)) {
            image.palette.push_back(colour);
        }
    }
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            image.indices.push_back(Nearest(image.palette, ColourOf(picture.at(x, y))));
        }
    }
    return image;
}

} // namespace artwork
