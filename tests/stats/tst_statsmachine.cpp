// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "stats/StatsFormat.h"
#include "stats/StatsSampler.h"
#include "stats/StatsSource.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

// The sampler's figures on this machine against the standard tools: one
// sanity check per figure; their arithmetic is the fake-figures tests'.
class TestStatsMachine : public QObject
{
    Q_OBJECT

    // A figure from the second line `program` prints: the first under its header.
    static double figure(const QString &program, const QStringList &arguments, int column)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return -1;
        const QStringList lines
            = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        return lines.value(1).split(' ', Qt::SkipEmptyParts).value(column, "-1").toDouble();
    }

private Q_SLOTS:
    void figuresAgreeWithTheSystemTools()
    {
        StatsSampler sampler;
        sampler.refresh();
        // MemTotal never moves, unlike what is in use.
        const double total = figure("free", { "-b" }, 1);
        QCOMPARE(sampler.memTotal() * StatsFormat::bytesPerGigabyte, total);
        QVERIFY(sampler.memUsed() > 0 && sampler.memUsed() < sampler.memTotal());

        const double dfFree = figure("df", { "-B1", "/" }, 3) / StatsFormat::bytesPerGigabyte;
        QVERIFY2(
            qAbs(sampler.diskFree().chopped(2).toDouble() - dfFree) <= 1.0, qPrintable(sampler.diskFree()));

        // /proc/uptime counts suspended time too, as the boot clock does.
        QFile uptimeFile("/proc/uptime");
        QVERIFY(uptimeFile.open(QIODevice::ReadOnly));
        const int minutes = int(uptimeFile.readAll().split(' ').value(0).toDouble()) / 60;
        const QRegularExpressionMatch uptime
            = QRegularExpression("^(\\d+)h (\\d+)m$").match(sampler.uptime());
        QVERIFY2(uptime.hasMatch(), qPrintable(sampler.uptime()));
        QVERIFY(qAbs(uptime.captured(1).toInt() * 60 + uptime.captured(2).toInt() - minutes) <= 1);

        // The battery (or mains) and the processor load arrive off the UI thread.
        QTRY_VERIFY(sampler.battery() >= 0 || sampler.charging());
        QVERIFY(sampler.battery() <= 100);
        QTRY_VERIFY(!StatsSource::shared()->isMeasuring());
        QVERIFY(sampler.cpu() >= 0 && sampler.cpu() <= 100);
    }
};

BRIVANE_TEST_MAIN(TestStatsMachine)
#include "tst_statsmachine.moc"
