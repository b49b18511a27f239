// messungen.csv as anyone may have left it: reading the journal, writing a
// read measurement again, deleting a line and appending one.

#include "journal/measurement_journal.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::EnterScratchFolder();
    std::string_view input = fuzz::AsText(data, size);
    fuzz::PutFile(kJournalFileName, input);

    Journal journal;
    if (!fuzz::Try([&] { journal = ReadJournal(); })) return 0;
    for (const JournalEntry& entry : journal.Entries) {
        const JournalMeasurement& m = entry.Measurement;
        fuzz::Require(std::isfinite(m.Height) && m.Height >= 0, "height a length");
        fuzz::Require(m.TransitSeconds >= 0 && m.TransitSeconds <= 5, "transit time in range");
        // A line the program wrote reads back as the same line.
        for (char separator : {',', '.'}) {
            const std::string line = JournalLine(m, separator);
            fuzz::Try([&] { fuzz::Require(JournalLine(ParseJournalLine(line), separator) == line, "round trip"); });
        }
    }
    if (!journal.Entries.empty()) {
        fuzz::Try([&] {
            fuzz::Require(DeleteFromJournal({journal.Entries.front()}) == 1, "one line deleted");
            fuzz::Require(ReadJournal().Entries.size() == journal.Entries.size() - 1, "one entry fewer");
        });
    }
    fuzz::Try([&] {
        const size_t before = ReadJournal().Entries.size();
        JournalMeasurement added = journal.Entries.empty() ? JournalMeasurement{} : journal.Entries.back().Measurement;
        AppendToJournal(added, ',');
        fuzz::Require(ReadJournal().Entries.size() == before + 1, "appended entry read");
    });
    return 0;
}
