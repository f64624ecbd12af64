// The anthem list, the music folder listing and the game file kinds.
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "state/sound_codes.h"
#include "state/text_file_reader.h"

#include "lib/file.h"
#include "platform/kernel/winbase.h"

void GameState::loadAnthemList()
{
    m_anthemNames.clear();
    m_anthemWaves.clear();
    std::string path = dataPath("anthem.lst", kFolderProgram);
    if (!fileExists(path.c_str())) {
        showMissingMasterFile("国歌リスト", "anthem.lst", "国歌はすべて既定の曲になります。");
        return;
    }
    std::unique_ptr<TextFileReader> reader = readMasterFile(path, "国歌リスト", "anthem.lst", false);
    if (!reader)
        return;
    SkippedLines skipped;
    char line[kLineCapacity];
    for (int number = 1; !reader->atEnd(); ++number) {
        reader->readLine(line, sizeof line);
        if (!line[0])
            continue;
        std::vector<char*> fields;
        if (parseCommaList(line, fields) != 2) {
            skipped.add(number, "国名と曲のファイル名の2項目ではありません。");
            continue;
        }
        // A country's anthem code names anthems below the music list's codes only.
        static_assert(tune::kMusicListBase == 50, "the reason below names the count");
        if (m_anthemNames.size() >= size_t(tune::kMusicListBase)) {
            skipped.add(number, "国歌は50曲までです。");
            continue;
        }
        m_anthemNames.emplace_back(fields[0]);
        m_anthemWaves.emplace_back(fields[1]);
    }
    skipped.report("anthem.lst");
    if (m_anthemNames.empty() && skipped.count() == 0)
        showEmptyShippedFile("国歌リスト", "anthem.lst", "国歌はすべて既定の曲になります。");
}

void GameState::anthemWaveName(int index, std::string& out) const
{
    if (m_anthemWaves.empty()) {
        out = "Japan1.wav";
        return;
    }
    size_t i = size_t(unsigned(index));
    out = m_anthemWaves[i < m_anthemWaves.size() ? i : m_anthemWaves.size() - 1];
}

bool GameState::isAnthemWave(const char* text) const
{
    for (const std::string& wave : m_anthemWaves)
        if (wave == text)
            return true;
    return false;
}

void GameState::listMusicFiles()
{
    m_musicNames.clear();
    m_musicPaths.clear();
    for (const char* pattern : { "*.wav", "*.mid" }) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(dataPath(pattern, kFolderMusic).c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            std::string path = std::string("tkbgm\\") + found.cFileName;
            if (isAnthemWave(path.c_str()))
                continue;
            m_musicNames.emplace_back(found.cFileName);
            m_musicPaths.push_back(path);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
}

const char* GameState::fileExtension(int kind) const
{
    if (kind == 1)
        return isSimpleMode() ? "wrc" : "wqc";
    if (kind == 2)
        return isSimpleMode() ? "wrs" : "wqs";
    return isSimpleMode() ? "wrm" : "wqm";
}
