#pragma once

#include "kit/files/Spreadsheet.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvane {

// Restores every other stretch of a large CSV file's cells on a second
// thread while the restore does the rest and writes the file. A cell's
// restored text depends on nothing but its text and the key, so either
// thread gives the same. The second thread stays a few stretches ahead at
// most, so that what it holds for the writer stays small.
class RestoreAhead
{
public:
    // Restores one cell of the column: the number of values restored, with
    // the restored text in `restored` when there are any. Called on the
    // second thread alone.
    using RestoreCell = std::function<int(int column, const QString &text, QString &restored)>;

    // The cells are those a CSV file offers its writer, every field row by
    // row. Below `fewest`, for a workbook, or on a machine of one core,
    // nothing is restored ahead.
    RestoreAhead(const Spreadsheet &spreadsheet, RestoreCell restoreCell, qsizetype fewest = 20'000);
    ~RestoreAhead();
    RestoreAhead(const RestoreAhead &) = delete;
    RestoreAhead &operator=(const RestoreAhead &) = delete;

    // Whether the cell at this index, counted in the order the writer offers
    // them, is one the second thread restores.
    bool restoresAhead(qsizetype index) const { return m_thread.joinable() && (index / stretch) % 2 == 1; }
    // Such a cell's count, and its restored text when above 0, valid until
    // the next call; each cell once and in order. Waits for the thread when
    // it is behind.
    int take(qsizetype index, QStringView &restored);

private:
    static constexpr qsizetype stretch = 4096;
    static constexpr qsizetype stretchesAhead = 4;
    struct Restored
    {
        std::vector<int32_t> counts; // per cell of the stretch
        QList<QString> texts;        // of the cells whose count is above 0, in order
    };

    void restore(const Spreadsheet &spreadsheet, const RestoreCell &restoreCell);
    // The stretch's place, once the writer has room for it.
    Restored *roomFor(qsizetype ahead);
    void finished(qsizetype ahead);
    // The stretch, once restored.
    const Restored &waitFor(qsizetype ahead);

    qsizetype m_cells = 0;
    std::array<Restored, stretchesAhead> m_ring; // stretch n ahead in place n % stretchesAhead
    qsizetype m_restored = 0;                    // stretches ahead the thread has finished
    qsizetype m_taken = 0;                       // those the writer is done with
    const Restored *m_taking = nullptr;          // the stretch being taken
    qsizetype m_nextText = 0;                    // its next text
    bool m_done = false;
    bool m_stopped = false;
    std::exception_ptr m_failure;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
};

} // namespace quorvane
