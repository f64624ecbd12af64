// Fitting a sheet's colours into 256 palette entries.
#include "tools/mkdata/map_sheet_inks.h"

#include <limits>
#include <stdexcept>

namespace mkdata::sheet {
namespace {

bool isGrey(Rgb c) { return c.r == c.g && c.g == c.b; }

struct Cluster {
    double r = 0, g = 0, b = 0;
    int count = 0;
    bool grey = false;
    bool fixed = false;
    std::vector<Rgb> members;

    Rgb mean() const
    {
        return { uint8_t(r / count + 0.5), uint8_t(g / count + 0.5), uint8_t(b / count + 0.5) };
    }
};

double distance(const Cluster& a, const Cluster& b)
{
    // Weighted as the eye weighs the channels.
    const double dr = a.r / a.count - b.r / b.count;
    const double dg = a.g / a.count - b.g / b.count;
    const double db = a.b / a.count - b.b / b.count;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

} // namespace

uint8_t InkTable::index(Rgb colour)
{
    if (!m_settled) {
        if (m_index.emplace(key(colour), 0).second)
            m_seen.push_back(colour);
        return 0;
    }
    const auto it = m_index.find(key(colour));
    if (it == m_index.end())
        throw std::runtime_error("a sheet asked for a colour it did not ask for while learning");
    return it->second;
}

void InkTable::settle()
{
    std::vector<Cluster> clusters;
    for (Rgb c : m_seen)
        clusters.push_back({ double(c.r), double(c.g), double(c.b), 1, isGrey(c), c == kMagenta, { c } });
    while (clusters.size() > 256) {
        double best = std::numeric_limits<double>::max();
        size_t a = 0, b = 0;
        for (size_t i = 0; i < clusters.size(); ++i)
            for (size_t j = i + 1; j < clusters.size(); ++j) {
                if (clusters[i].fixed || clusters[j].fixed || clusters[i].grey != clusters[j].grey)
                    continue;
                const double d = distance(clusters[i], clusters[j]);
                if (d < best) {
                    best = d;
                    a = i;
                    b = j;
                }
            }
        if (a == b)
            throw std::runtime_error("too many colours that cannot be merged");
        Cluster& into = clusters[a];
        Cluster& from = clusters[b];
        into.r += from.r;
        into.g += from.g;
        into.b += from.b;
        into.count += from.count;
        into.members.insert(into.members.end(), from.members.begin(), from.members.end());
        clusters.erase(clusters.begin() + std::ptrdiff_t(b));
    }
    for (const Cluster& c : clusters) {
        const uint8_t entry = m_palette.index(c.fixed ? kMagenta : c.mean());
        for (Rgb member : c.members)
            m_index[key(member)] = entry;
    }
    m_settled = true;
}

} // namespace mkdata::sheet
