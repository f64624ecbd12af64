// The built-in and user production-type tables of the GameState and their files.
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "state/production_type_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "lib/file_fault.h"
#include "platform/kernel/host.h"

#include <cstring>

namespace {

ProductionTypeRecord zeroRecord()
{
    ProductionTypeRecord record;
    std::memset(&record, 0, sizeof record);
    return record;
}

// A damaged file is shown and leaves the table as it was, one cut short keeps its whole records
// and says so; a missing one is shown when the program
// ships it (the user's own table starts empty). A file larger than a full table is refused unread.
void readTable(const char* file, std::vector<ProductionTypeRecord>& table, size_t maxRecords, bool shipped)
{
    std::string path = dataPath(file, kFolderProgram);
    std::vector<uint8_t> bytes;
    FileFault fault = readFileBytes(path.c_str(), productionTypeFileSize(maxRecords + 1), bytes);
    if (fault == FileFault::Missing) {
        if (shipped)
            showMissingMasterFile("生産タイプデータ", file, "生産タイプなしで始めます。");
        return;
    }
    const size_t before = table.size();
    if (fault == FileFault::None)
        fault = readProductionTypeFile(bytes.data(), bytes.size(), table, maxRecords);
    if (fault == FileFault::Truncated)
        showCutShortFile("生産タイプデータ", file, table.size() - before, "生産タイプ");
    else if (fault != FileFault::None)
        showUnreadableFile("生産タイプデータ", file, fault);
}

void writeTable(const char* file, const std::vector<ProductionTypeRecord>& table, size_t count)
{
    std::vector<uint8_t> bytes = productionTypeFileBytes(table.data(), count);
    swCFile out(dataPath(file, kFolderProgram).c_str(), 1);
    out.fileWrite(bytes.data(), DWORD(bytes.size()));
    out.fileClose();
}

} // namespace

void GameState::loadProductTypes()
{
    readTable(isSimpleMode() ? "sproducttype.dat" : "producttype.dat", m_builtinProductionTypes, kFirstUserProductionType, true);
}

void GameState::loadUserProductTypes()
{
    if (!isSimpleMode())
        readTable("productutype.dat", m_userProductionTypes, kMaxUserProductionTypes, false);
    while (m_userProductionTypes.size() < size_t(kUserProductionTypeCount))
        m_userProductionTypes.push_back(zeroRecord());
}

void GameState::saveProductTypes()
{
    writeTable("producttype.dat", m_builtinProductionTypes, m_builtinProductionTypes.size());
}

void GameState::saveUserProductTypes()
{
    while (m_userProductionTypes.size() < size_t(kUserProductionTypeCount))
        m_userProductionTypes.push_back(zeroRecord());
    writeTable("productutype.dat", m_userProductionTypes, kUserProductionTypeCount);
}

const ProductionTypeRecord* GameState::productionType(int number) const
{
    if (number < 0)
        return nullptr;
    if (number < kFirstUserProductionType)
        return size_t(number) < m_builtinProductionTypes.size() ? &m_builtinProductionTypes[number] : nullptr;
    size_t index = size_t(number - kFirstUserProductionType);
    return index < m_userProductionTypes.size() ? &m_userProductionTypes[index] : nullptr;
}

void GameState::setBuiltinProductionType(int index, const ProductionTypeRecord& record)
{
    if (index < 0)
        return;
    while (m_builtinProductionTypes.size() <= size_t(index))
        m_builtinProductionTypes.push_back(zeroRecord());
    m_builtinProductionTypes[index] = record;
}

void GameState::setUserProductionType(int index, const ProductionTypeRecord& record)
{
    if (index >= 0 && size_t(index) < m_userProductionTypes.size())
        m_userProductionTypes[index] = record;
}

void GameState::clearProductionType(int number)
{
    ProductionTypeRecord* record = const_cast<ProductionTypeRecord*>(productionType(number));
    if (!record)
        return;
    *record = zeroRecord();
    if (number < kFirstUserProductionType)
        saveProductTypes();
    else
        saveUserProductTypes();
}

void GameState::copyProductionType(int destination, int source)
{
    ProductionTypeRecord* to = const_cast<ProductionTypeRecord*>(productionType(destination));
    const ProductionTypeRecord* from = productionType(source);
    if (!to || !from)
        return;
    *to = *from;
    if (destination < kFirstUserProductionType)
        saveProductTypes();
    else
        saveUserProductTypes();
}
