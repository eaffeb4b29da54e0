// Exports on a disk that fails (full, read-only, a file size limit): every format says the
// system's reason and leaves the export that was there before, never an empty or cut-off file.

#include "../core/injected_faults.h"
#include "default_files.h"
#include "last_run_file.h"
#include "report_export.h"

#include <QFile>
#include <gtest/gtest.h>

namespace ferrolux {
namespace {

TEST(ExportFaults, AFailingDiskKeepsTheOldExportAndNamesTheRealError)
{
    Design example;
    example.run = exampleLastRun();
    const ReportContent content = reportContentFor(
        QStringLiteral("Bench amp"), QDateTime(QDate(2026, 12, 6), QTime(21, 30), Qt::UTC),
        evaluate(example, DissipationLimits{2.5, 4.5, 2.5, 4.5}));
    for (const testing_support::WriteFault &fault : testing_support::kWriteFaults) {
        SCOPED_TRACE(fault.name);
        testing_support::FaultyFolder folder(fault);
        if (!folder.usable()) {
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        }
        const char *const names[] = {"r.txt", "r.html", "r.pdf"};
        for (const char *name : names) {
            ASSERT_TRUE(testing_support::writeBytes(folder.folder() + name, "old report"));
        }
        ASSERT_TRUE(folder.arm());
        for (const char *name : names) {
            const QString path = QString::fromStdString(folder.folder() + name);
            const QString failure = writeReport(content, path);
            EXPECT_TRUE(failure.contains(QLatin1String(fault.cause)))
                << name << ": " << failure.toStdString();
            EXPECT_EQ(testing_support::readBytes(folder.folder() + name), "old report") << name;
        }
    }
}

} // namespace
} // namespace ferrolux
