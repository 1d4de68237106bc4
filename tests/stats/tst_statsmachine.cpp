// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "stats/StatsFormat.h"
#include "stats/StatsSampler.h"
#include "stats/StatsSource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

// The sampler's figures on this machine, against what the standard tools and
// the kernel's own uptime file report in the same moment.
class TestStatsMachine : public QObject
{
    Q_OBJECT

    static QStringList outputLines(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return {};
        return QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    static QStringList columns(const QString &line)
    {
        return line.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    }

    // free -b: "Mem: total used free shared buff/cache available"; gives total and total - available.
    static std::pair<double, double> freeTotalAndUsed()
    {
        const QStringList free = outputLines("free", { "-b" });
        if (free.size() < 2)
            return { -1, -1 };
        const int availableColumn = int(columns(free.at(0)).indexOf("available")) + 1;
        const QStringList mem = columns(free.at(1));
        if (mem.value(0) != "Mem:" || availableColumn <= 0)
            return { -1, -1 };
        const double total = mem.value(1).toDouble();
        return { total, total - mem.value(availableColumn).toDouble() };
    }

private Q_SLOTS:
    void figuresAgreeWithTheSystemTools()
    {
        // The machine keeps working between the reads: bracket the sampler's
        // read between two of the tool's.
        const auto [total, usedBefore] = freeTotalAndUsed();
        StatsSampler sampler;
        sampler.refresh();
        const auto [totalAfter, usedAfter] = freeTotalAndUsed();
        QVERIFY2(total > 0 && totalAfter == total, "free -b gave no usable output");

        QCOMPARE(sampler.memTotal() * StatsFormat::bytesPerGigabyte, total);
        const double used = sampler.memUsed() * StatsFormat::bytesPerGigabyte;
        const double slack = 32.0 * (1 << 20);
        QVERIFY2(used >= qMin(usedBefore, usedAfter) - slack && used <= qMax(usedBefore, usedAfter) + slack,
            qPrintable(QString("%1 vs %2 .. %3").arg(used).arg(usedBefore).arg(usedAfter)));

        // df -B1 /: "Filesystem 1B-blocks Used Available Use% Mounted-on"
        const QStringList df = outputLines("df", { "-B1", "/" });
        QVERIFY2(df.size() >= 2, "df gave no output");
        const double dfFree = columns(df.last()).value(3).toDouble() / StatsFormat::bytesPerGigabyte;
        QRegularExpressionMatch disk = QRegularExpression("^(\\d+)GB$").match(sampler.diskFree());
        QVERIFY2(disk.hasMatch(), qPrintable(sampler.diskFree()));
        QVERIFY2(qAbs(disk.captured(1).toDouble() - dfFree) <= 1.0,
            qPrintable(QString("%1 vs %2").arg(sampler.diskFree()).arg(dfFree)));

        // /proc/uptime counts from boot, suspended time included, as the boot clock does.
        QFile uptimeFile("/proc/uptime");
        QVERIFY(uptimeFile.open(QIODevice::ReadOnly));
        const double seconds = columns(QString::fromLatin1(uptimeFile.readAll())).value(0).toDouble();
        QRegularExpressionMatch uptime = QRegularExpression("^(\\d+)h (\\d+)m$").match(sampler.uptime());
        QVERIFY2(uptime.hasMatch(), qPrintable(sampler.uptime()));
        const int minutes = uptime.captured(1).toInt() * 60 + uptime.captured(2).toInt();
        QVERIFY2(qAbs(minutes - int(seconds) / 60) <= 1, qPrintable(sampler.uptime()));

        // Batteries: the system's own, or none and so on mains.
        bool hasSystemBattery = false;
        const QDir supplies("/sys/class/power_supply");
        for (const QString &name : supplies.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            auto read = [&](const char *file) {
                QFile f(supplies.filePath(name + "/" + file));
                return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
            };
            if (read("type") == "Battery" && read("scope") != "Device" && read("present") != "0")
                hasSystemBattery = true;
        }
        // They are read on a worker thread and arrive a moment later.
        if (!hasSystemBattery) {
            QTRY_COMPARE(sampler.charging(), true);
            QCOMPARE(sampler.battery(), -1);
        } else {
            QTRY_VERIFY(sampler.battery() >= 0);
            QVERIFY(sampler.battery() <= 100);
        }

        // The processor load of the whole machine arrives shortly, off the UI
        // thread; after that the source has a recent sample to measure from.
        QTRY_VERIFY(!StatsSource::shared()->isMeasuring());
        QVERIFY(StatsSource::shared()->sampleCpu().has_value());
        QVERIFY(sampler.cpu() >= 0 && sampler.cpu() <= 100);
    }
};

BRIVANE_TEST_MAIN(TestStatsMachine)
#include "tst_statsmachine.moc"
