// The computer's production: where to buy, what to buy and when to stop.
#include "ai/production_planner.h"

#include "ai/area_analysis.h"
#include "rules/home_distance.h"
#include "rules/play.h"
#include "rules/production.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

constexpr int kStopped = 1;
constexpr uint32_t kReserveShare = 10;
constexpr int kNoFront = 0xFFFF;

// A person who hands production to the computer is planned for like a computer country.
bool isCountry(GameState& state, int country)
{
    return country >= 0 && country < kCountryCount && std::as_const(state).unitTable(country);
}

} // namespace

ProductionPlanner::ProductionPlanner(GameState& state, int country) : m_state(state), m_country(country) { }

ProductionPlanner::~ProductionPlanner() = default;

uint32_t ProductionPlanner::reserve() const
{
    const CountryRecord& record = m_state.country(m_country);
    const uint64_t forces = uint64_t(m_state.forcesValue(m_country)) * record.marketRate / 100;
    return uint32_t(std::min<uint64_t>(forces / kReserveShare, UINT32_MAX));
}

int ProductionPlanner::frontDistance(int x, int y) const
{
    const AreaAnalysis* analysis = m_state.areaAnalysis();
    if (analysis && analysis->country() == m_country && analysis->frontDistanceAt(x, y) != kNoFront)
        return analysis->frontDistanceAt(x, y);
    // No analysis, or no enemy in sight: the nearest enemy capital, the target country's first.
    const CountryRecord& record = m_state.country(m_country);
    int best = kNoFront;
    for (int c = 0; c < kCountryCount; ++c) {
        if (!m_state.isEnemy(m_country, c) || !m_state.countryTakesPart(c))
            continue;
        const HexPos home = sideHomeHex(m_state, c);
        if (!home.valid())
            continue;
        const int d = hexDistance({ x, y }, home);
        if (c == record.targetCountry)
            return d;
        best = std::min(best, d);
    }
    return best;
}

std::vector<ProductionSite> ProductionPlanner::collectSites() const
{
    std::vector<ProductionSite> sites;
    const bool storing = m_state.ruleOn(kRuleStoring);
    auto consider = [&](int x, int y, bool building) {
        if (!m_state.isOnMap(x, y))
            return;
        for (const ProductionSite& s : sites)
            if (s.x == x && s.y == y)
                return;
        if (productionCategoriesAt(m_state, x, y, m_country, 1) == 0)
            return;
        sites.push_back({ x, y, frontDistance(x, y), building && storing });
    };
    for (size_t i = 0; i < m_state.buildingCount(); ++i) {
        const BuildingRecord& b = m_state.buildingAt(i);
        if (b.ownerPlusOne != 0 && m_state.isAllied(m_country, b.owner()))
            consider(int(b.x), int(b.y), true);
    }
    // Land units may also be made beside the capital or a headquarters.
    for (HexPos home : { sideHomeHex(m_state, m_country), hqHex(m_state, m_country) }) {
        if (!home.valid())
            continue;
        for (int d = 0; d < kHexDirections; ++d) {
            const HexPos n = m_state.hexNeighbour(home.x, home.y, d);
            const UnitCell* cell = n.valid() ? m_state.unitCellAt(n.x, n.y) : nullptr;
            if (cell)
                consider(n.x, n.y, cell->building != 0);
        }
    }
    std::stable_sort(sites.begin(), sites.end(), [](const ProductionSite& a, const ProductionSite& b) {
        return std::tie(a.front, a.y, a.x) < std::tie(b.front, b.y, b.x);
    });
    return sites;
}

ProductionNeeds ProductionPlanner::assessNeeds() const
{
    ProductionNeeds needs;
    for (uint32_t i = 0; i < m_state.unitCount(m_country); ++i) {
        const UnitRecord* unit = m_state.unitOf(m_country, int(i));
        const UnitTypeRecord* type = unit && unitExists(*unit) ? m_state.unitTypeOf(*unit) : nullptr;
        if (!type)
            continue;
        ++needs.units;
        needs.occupiers += typeCanOccupy(*type);
        needs.antiAir += typeIsAntiAir(m_state, *type);
    }
    for (int s = 0; s < kSideCount; ++s) {
        if (!m_state.isEnemy(m_country, s))
            continue;
        for (uint32_t i = 0; i < m_state.unitCount(s); ++i) {
            const UnitRecord* unit = m_state.unitOf(s, int(i));
            const UnitTypeRecord* type = unit && unitInPlay(*unit) ? m_state.unitTypeOf(*unit) : nullptr;
            if (type && type->domain <= 2 && isUnitVisibleTo(m_state, m_country, s, int(i)))
                ++needs.enemyAircraft;
        }
    }
    return needs;
}

bool ProductionPlanner::buyBest(const std::vector<ProductionSite>& sites, const std::vector<ProductionOption>& options, uint32_t budget)
{
    // A country at its unit limit has every purchase refused; no need to try each.
    if (m_state.liveUnitCount(m_country) >= m_state.playerUnitCount(m_country))
        return false;
    const ProductionNeeds needs = assessNeeds();
    struct Choice {
        const ProductionSite* site;
        const ProductionOption* option;
        std::tuple<int, uint64_t, int, int> key;
    };
    std::vector<Choice> choices;
    for (size_t s = 0; s < sites.size(); ++s) {
        const ProductionSite& site = sites[s];
        const uint16_t categories = productionCategoriesAt(m_state, site.x, site.y, m_country, 1);
        for (const ProductionOption& option : options) {
            if (!(categories & (1u << option.domain)) || option.price > budget)
                continue;
            const int met = (needs.wantsOccupier() && option.occupier) + (needs.wantsAntiAir() && option.antiAir);
            // Worth per price in thousandths; the front-most site, then the lower type id, settle ties.
            const uint64_t worth = uint64_t(option.value) * 1000 / std::max<uint32_t>(option.price, 1);
            choices.push_back({ &site, &option, { met, worth, -int(s), -option.typeId } });
        }
    }
    std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) { return a.key > b.key; });
    // A refused purchase (hex slot taken, limit reached) leaves everything as it was: try the next.
    for (const Choice& c : choices)
        if (buyUnit(m_state, c.site->x, c.site->y, m_country, c.option->typeId, c.option->counters,
                uint8_t(c.site->inBuilding), -1) >= 0)
            return true;
    return false;
}

int ProductionPlanner::run()
{
    if (!isCountry(m_state, m_country))
        return 0;
    const std::vector<ProductionOption> options = listProductionOptions(m_state, m_country);
    if (options.empty())
        return 0;
    const std::vector<ProductionSite> sites = collectSites();
    const uint32_t keep = reserve();
    // Each purchase takes a unit slot, so the table bounds the loop.
    for (int bought = 0; bought < kUnitTableSize; ++bought) {
        Handshake& handshake = m_state.handshake();
        if (handshake.isUiLinkReady() && handshake.waitForUiReply() == 1)
            return kStopped;
        const uint32_t funds = m_state.country(m_country).funds;
        if (funds <= keep || !buyBest(sites, options, funds - keep))
            break;
    }
    return 0;
}
