// Rename journals: the bytes read whole, and again fed in pieces of every
// size the first byte chooses, as the reader gets them block by block from
// the disk; both must give the same pairs.
//
// Input: one byte for the piece size, then the journal's bytes.

#include "fuzz/fuzz_check.h"
#include "rename/rename_journal.h"

#include <QByteArrayView>

#include <cstdint>

using namespace namenswerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const qsizetype piece = data[0] + 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const JournalContents whole = parseJournal(bytes);

    JournalReader reader;
    for (qsizetype pos = 0; pos < bytes.size(); pos += piece) {
        reader.feed(bytes.sliced(pos, std::min(piece, bytes.size() - pos)));
    }
    const JournalContents pieces = reader.finish();
    FUZZ_CHECK(whole.complete == pieces.complete);
    FUZZ_CHECK(whole.folder == pieces.folder);
    FUZZ_CHECK(whole.renamed == pieces.renamed);
    FUZZ_CHECK(whole.pending == pieces.pending);
    FUZZ_CHECK(whole.claimed == pieces.claimed);
    FUZZ_CHECK(!whole.claimed || whole.claimed == whole.pending);
    FUZZ_CHECK(whole.complete || whole.renamed.empty());
    return 0;
}
