#include "resources/generator/palette.h"

#include <algorithm>
#include <map>

namespace resgen {

namespace {

struct Weighted {
    QRgb colour;
    int count;
};

int Channel(QRgb c, int channel) {
    return channel == 0 ? qRed(c) : channel == 1 ? qGreen(c) : qBlue(c);
}

struct Box {
    std::vector<Weighted> colours;

    int Range(int channel) const {
        const auto [lo, hi] = std::minmax_element(colours.begin(), colours.end(), [&](auto& a, auto& b) {
            return Channel(a.colour, channel) < Channel(b.colour, channel);
        });
        return Channel(hi->colour, channel) - Channel(lo->colour, channel);
    }

    int WidestChannel() const {
        int best = 0;
        for (int ch = 1; ch < 3; ++ch) {
            if (Range(ch) > Range(best)) best = ch;
        }
        return best;
    }

    QRgb Mean() const {
        long long sum[3] = {}, total = 0;
        for (const auto& w : colours) {
            for (int ch = 0; ch < 3; ++ch) sum[ch] += static_cast<long long>(Channel(w.colour, ch)) * w.count;
            total += w.count;
        }
        auto avg = [&](int ch) { return static_cast<int>((sum[ch] + total / 2) / total); };
        return qRgb(avg(0), avg(1), avg(2));
    }
};

// Splits the box whose widest channel spans most, at the pixel-weighted
// median of that channel. Returns false when no box can be split.
bool SplitWidest(std::vector<Box>& boxes) {
    int chosen = -1, chosenRange = 0;
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        if (boxes[i].colours.size() < 2) continue;
        const int range = boxes[i].Range(boxes[i].WidestChannel());
        if (range > chosenRange) chosen = i, chosenRange = range;
    }
    if (chosen < 0) return false;

    Box& box = boxes[chosen];
    const int ch = box.WidestChannel();
    // The full colour breaks ties, so the order never depends on the sort.
    std::sort(box.colours.begin(), box.colours.end(), [&](const Weighted& a, const Weighted& b) {
        const int ca = Channel(a.colour, ch), cb = Channel(b.colour, ch);
        return ca != cb ? ca < cb : a.colour < b.colour;
    });
    long long total = 0;
    for (const auto& w : box.colours) total += w.count;
    long long seen = 0;
    std::size_t cut = 1;
    for (; cut < box.colours.size() - 1; ++cut) {
        seen += box.colours[cut - 1].count;
        if (2 * seen >= total) break;
    }
    Box upper{std::vector<Weighted>(box.colours.begin() + static_cast<std::ptrdiff_t>(cut), box.colours.end())};
    box.colours.resize(cut);
    boxes.push_back(std::move(upper));
    return true;
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

IndexedImage ReduceTo256Colours(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> counts;  // ordered, so the palette comes out the same every run
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (IsOpaqueFor8Bit(p)) ++counts[qRgb(qRed(p), qGreen(p), qBlue(p))];
        }
    }

    IndexedImage out;
    out.palette.fill(qRgb(0, 0, 0));
    std::vector<QRgb> chosen;
    if (counts.size() <= 255) {
        for (const auto& [colour, count] : counts) chosen.push_back(colour);
    } else {
        std::vector<Box> boxes(1);
        for (const auto& [colour, count] : counts) boxes[0].colours.push_back({colour, count});
        while (boxes.size() < 255 && SplitWidest(boxes)) {
        }
        for (const auto& box : boxes) chosen.push_back(box.Mean());
        std::sort(chosen.begin(), chosen.end());
    }
    std::copy(chosen.begin(), chosen.end(), out.palette.begin() + 1);
    const int used = 1 + static_cast<int>(chosen.size());

    out.indices.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            int best = 0;
            if (IsOpaqueFor8Bit(p)) {
                for (int i = 1; i < used; ++i) {
                    if (Distance(p, out.palette[i]) < Distance(p, out.palette[best])) best = i;
                }
            }
            out.indices.push_back(static_cast<std::uint8_t>(best));
        }
    }
    return out;
}

}  // namespace resgen
