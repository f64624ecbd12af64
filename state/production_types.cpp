// The built-in and user production-type tables of the GameState and their files.
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "state/production_type_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/host.h"

#include <cstring>

namespace {

ProductionTypeRecord zeroRecord()
{
    ProductionTypeRecord record;
    std::memset(&record, 0, sizeof record);
    return record;
}

// A damaged file is shown and leaves the table as it was; a missing one is shown when the program
// ships it (the user's own table starts empty).
void readTable(const char* file, std::vector<ProductionTypeRecord>& table, bool shipped)
{
    std::string path = dataPath(file, kFolderProgram);
    if (!fileExists(path.c_str())) {
        if (shipped)
            showMissingMasterFile("生産タイプデータ", file, "生産タイプなしで始めます。");
        return;
    }
    std::vector<uint8_t> bytes;
    size_t done = 0;
    try {
        swCFile in(path.c_str(), 0);
        bytes.resize(in.fileGetSize());
        done = bytes.empty() ? 0 : in.fileRead(bytes.data(), DWORD(bytes.size()));
        in.fileClose();
    } catch (swCError* error) {
        showUnreadableFile("生産タイプデータ", file, error);
        return;
    }
    if (!readProductionTypeFile(bytes.data(), done, table))
        showLoaderMessage(platform::utf8ToCp932(std::string("生産タイプデータ ") + file + " が壊れています"),
            platform::utf8ToCp932("警告"));
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
    readTable(isSimpleMode() ? "sproducttype.dat" : "producttype.dat", m_builtinProductionTypes, true);
}

void GameState::loadUserProductTypes()
{
    if (!isSimpleMode())
        readTable("productutype.dat", m_userProductionTypes, false);
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
