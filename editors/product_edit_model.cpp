// ProductEditModel: building, filtering, sorting and moving the editor's unit types.
#include "editors/product_edit_model.h"

#include "state/game_state.h"
#include "state/unit_type_sort.h"

#include <algorithm>
#include <iterator>

namespace {

using Less = bool (*)(const GameState&, uint32_t, uint32_t);
constexpr Less kOrders[] = { unitTypeLessByClass, unitTypeLessByName, unitTypeLessByCost };

} // namespace

ProductEditModel::ProductEditModel(const GameState& state, const ProductionTypeRecord& record)
    : m_state(state)
    , m_record(record)
{
}

void ProductEditModel::toggleDomain(int domain)
{
    if (domain < 0 || domain >= kDomainCount)
        return;
    m_domainMask ^= 1 << domain;
    rebuild();
}

void ProductEditModel::setClassFilter(int classFilter)
{
    m_classFilter = classFilter;
    rebuild();
}

void ProductEditModel::rebuild()
{
    m_right.clear();
    for (int id = 0; id < kProducibleBits; ++id) {
        if (!m_record.canProduce(id) || !countsInEditTotals(m_state, id))
            continue;
        if (passesEditFilters(m_state.unitTypeRecord(id), m_domainMask, m_classFilter))
            m_right.push_back(id);
    }
    m_left.clear();
    for (const UnitTypeRecord& type : m_state.unitTypes()) {
        if (offeredForAdding(m_state, m_record, type) && passesEditFilters(type, m_domainMask, m_classFilter))
            m_left.push_back(type.id);
    }
    sort(EditSide::Right);
    sort(EditSide::Left);
}

void ProductEditModel::chooseSortKey(EditSide side, int key)
{
    EditListOrder& order = side == EditSide::Right ? m_rightOrder : m_leftOrder;
    if (order.key == key) {
        order.descending = !order.descending;
    } else {
        order.key = key;
        order.descending = false;
    }
    sort(side);
}

void ProductEditModel::sort(EditSide side)
{
    std::vector<int>& ids = side == EditSide::Right ? m_right : m_left;
    const EditListOrder& order = side == EditSide::Right ? m_rightOrder : m_leftOrder;
    if (order.key < 0 || order.key >= int(std::size(kOrders)))
        return;
    const Less less = kOrders[order.key];
    std::stable_sort(ids.begin(), ids.end(), [&](int a, int b) { return less(m_state, uint32_t(a), uint32_t(b)); });
    if (order.descending)
        std::reverse(ids.begin(), ids.end());
}

int ProductEditModel::add(const std::vector<int>& leftRows) { return move(EditSide::Left, leftRows); }

int ProductEditModel::remove(const std::vector<int>& rightRows) { return move(EditSide::Right, rightRows); }

int ProductEditModel::move(EditSide from, const std::vector<int>& rows)
{
    std::vector<int>& source = from == EditSide::Left ? m_left : m_right;
    std::vector<int>& target = from == EditSide::Left ? m_right : m_left;
    std::vector<bool> leaving(source.size(), false);
    int moved = 0;
    for (size_t i = 0; i < rows.size() && i < kMaxMovedRows; ++i) {
        const int row = rows[i];
        if (row < 0 || size_t(row) >= source.size() || leaving[size_t(row)])
            continue;
        leaving[size_t(row)] = true;
        const int id = source[size_t(row)];
        m_record.setProducible(id, from == EditSide::Left);
        target.push_back(id);
        ++moved;
    }
    std::vector<int> kept;
    kept.reserve(source.size() - size_t(moved));
    for (size_t i = 0; i < source.size(); ++i)
        if (!leaving[i])
            kept.push_back(source[i]);
    source.swap(kept);
    sort(from == EditSide::Left ? EditSide::Right : EditSide::Left);
    return moved;
}

ProductEditTotals ProductEditModel::totals() const { return productEditTotals(m_state, m_record); }
