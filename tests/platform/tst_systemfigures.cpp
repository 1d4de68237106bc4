// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "platform/SystemFigures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The kernel readers on recorded /proc and /sys trees.
class TestSystemFigures : public QObject
{
    Q_OBJECT

    static QByteArray recorded(const char *name)
    {
        return QFile::encodeName(QStringLiteral(BRIVANE_KERNEL_TREES "/") + QLatin1String(name));
    }
    static void write(const QTemporaryDir &root, const QString &path, const QByteArray &content)
    {
        const QString full = root.filePath(path);
        QVERIFY(QDir().mkpath(QFileInfo(full).path()));
        QFile file(full);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static void supply(const QTemporaryDir &root, const QString &name, const QVariantMap &files)
    {
        for (auto it = files.begin(); it != files.end(); ++it)
            write(root, "sys/class/power_supply/" + name + "/" + it.key(), it.value().toByteArray() + "\n");
    }
    static KernelFigures figuresIn(const QTemporaryDir &root)
    {
        return KernelFigures(QFile::encodeName(root.path()));
    }

private Q_SLOTS:
    void busyShareIsTheBusyPartOfTheTimeBetweenReadings()
    {
        QCOMPARE(busyPercentBetween({ 1000, 3000 }, { 1250, 3750 }), std::optional<double>(25.0));
        QCOMPARE(busyPercentBetween({ 0, 0 }, { 100, 0 }), std::optional<double>(100.0));
        // No time passed, or a counter went backwards: no figure rather than a wrong one.
        QCOMPARE(busyPercentBetween({ 500, 500 }, { 500, 500 }), std::nullopt);
        QCOMPARE(busyPercentBetween({ 500, 500 }, { 400, 900 }), std::nullopt);
        QCOMPARE(busyPercentBetween({ 500, 500 }, { 900, 400 }), std::nullopt);
    }

    void powerSuppliesOfEachKindOfMachine_data()
    {
        QTest::addColumn<QByteArray>("tree");
        QTest::addColumn<int>("battery"); // -1: no reading
        QTest::addColumn<bool>("onExternalPower");
        QTest::addColumn<bool>("hasSystemBattery");
        // The mouse in the laptop's tree reports 90% and must not count.
        QTest::newRow("laptop on battery") << QByteArray("laptop-on-battery") << 40 << false << true;
        QTest::newRow("laptop charging") << QByteArray("laptop-charging") << 85 << true << true;
        QTest::newRow("desktop without battery") << QByteArray("desktop") << -1 << true << false;
        QTest::newRow("peripheral batteries only") << QByteArray("peripheral-only") << -1 << true << false;
        // A full 20 Wh battery and a half-full 60 Wh one hold 50 of 80 Wh: 63%, not the 75%
        // their percentages average.
        QTest::newRow("two batteries") << QByteArray("two-batteries") << 63 << false << true;
    }
    void powerSuppliesOfEachKindOfMachine()
    {
        QFETCH(QByteArray, tree);
        QFETCH(int, battery);
        QFETCH(bool, onExternalPower);
        QFETCH(bool, hasSystemBattery);
        const PowerReading power = KernelFigures(recorded(tree)).power();
        QCOMPARE(power.batteryPercent.value_or(-1), battery);
        QCOMPARE(power.onExternalPower(), onExternalPower);
        QCOMPARE(power.hasSystemBattery, hasSystemBattery);
    }

    void usbPowerAndProgrammableSuppliesCountAsMains()
    {
        QTemporaryDir root;
        supply(root, "BAT0", { { "type", "Battery" }, { "capacity", "12" } });
        supply(root, "ucsi-source-psy-USBC000:001", { { "type", "USB" }, { "online", "2" } });
        const PowerReading power = figuresIn(root).power();
        QCOMPARE(power.batteryPercent, std::optional<int>(12));
        QVERIFY(power.externalPowerOnline);
    }

    void batteriesWithoutCapacityFallBackToEnergyOrCharge()
    {
        QTemporaryDir root;
        supply(root, "BAT0",
            { { "type", "Battery" }, { "charge_now", "1500000" }, { "charge_full", "4000000" } });
        QCOMPARE(figuresIn(root).power().batteryPercent, std::optional<int>(38)); // 37.5 rounds up

        // Mixed reports (one by energy, one by charge) cannot be added up: average their percentages.
        supply(root, "BAT1",
            { { "type", "Battery" }, { "energy_now", "9000000" }, { "energy_full", "10000000" } });
        QCOMPARE(figuresIn(root).power().batteryPercent, std::optional<int>(64)); // (37.5 + 90) / 2

        // An empty bay is no battery at all; a worn cell past its last full charge reads 100.
        supply(root, "BAT1", { { "present", "0" } });
        supply(root, "BAT0", { { "capacity", "garbage" }, { "charge_now", "4100000" } });
        QCOMPARE(figuresIn(root).power().batteryPercent, std::optional<int>(100));
    }

    void missingFilesGiveNoFigures()
    {
        QTemporaryDir root;
        const KernelFigures figures = figuresIn(root);
        QCOMPARE(figures.cpuTimes(), std::nullopt);
        QCOMPARE(figures.memory(), std::nullopt);
        // No power supply class at all (a container, a virtual machine): a machine on mains.
        const PowerReading power = figures.power();
        QCOMPARE(power.batteryPercent, std::nullopt);
        QVERIFY(power.onExternalPower());
        // The file system of the root still has free space to report.
        QVERIFY(figures.diskFreeBytes());
        QCOMPARE(KernelFigures("/nonexistent-brivane-root").diskFreeBytes(), std::nullopt);
    }

    // Busy is every column but idle and iowait; -1: no figure.
    void processorTimes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("busy");
        QTest::addColumn<qint64>("idle");
        const auto row = [](const char *name, const QByteArray &content, qint64 busy = -1, qint64 idle = -1) {
            QTest::newRow(name) << content << busy << idle;
        };
        row("recorded", "cpu  46346 4825 10171 122596 621 0 78 58 0 0\ncpu0 1 2 3 4\n",
            46346 + 4825 + 10171 + 78 + 58, 122596 + 621);
        row("old kernel, four columns", "cpu  10 20 30 40\n", 60, 40);
        row("empty", QByteArray());
        row("not a number", "cpu  46346 4825 abc 122596 621 0 78 58 0 0\n");
        row("negative", "cpu  -1 0 0 0\n");
        row("too few columns", "cpu  46346 4825 10171\n");
        row("a single processor's line first", "cpu0 1 2 3 4 5 6 7 8\n");
        row("binary", QByteArray("\x00\xff\xfe cpu 1 2 3 4", 12));
    }
    void processorTimes()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, busy);
        QFETCH(qint64, idle);
        QTemporaryDir root;
        write(root, "proc/stat", content);
        const std::optional<CpuTimes> times = figuresIn(root).cpuTimes();
        QCOMPARE(times.has_value(), busy >= 0);
        if (times)
            QCOMPARE(std::pair(qint64(times->busy), qint64(times->idle)), std::pair(busy, idle));
    }

    void memoryInformation_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("used"); // -1: no figure
        const auto row = [](const char *name, const QByteArray &content, qint64 used = -1) {
            QTest::newRow(name) << content << used;
        };
        row("no total", "MemFree: 100 kB\nMemAvailable: 100 kB\n");
        row("total not a number", "MemTotal: lots kB\nMemAvailable: 1 kB\n");
        row("total zero", "MemTotal: 0 kB\nMemAvailable: 0 kB\n");
        row("unknown unit", "MemTotal: 100 MB\nMemAvailable: 1 MB\n");
        row("no available, no fallback", "MemTotal: 100 kB\n");
        // Kernels before 3.14: free plus buffers plus page cache.
        row("before MemAvailable", "MemTotal: 1000 kB\nMemFree: 300 kB\nBuffers: 100 kB\nCached: 200 kB\n",
            400 * 1024);
        row("available above total", "MemTotal: 1000 kB\nMemAvailable: 2000 kB\n", 0);
        row("no trailing newline", "MemAvailable: 1 kB\nMemTotal: 3 kB", 2048);
        row("16 GiB, 12 available", "MemTotal: 16777216 kB\nMemFree: 1 kB\nMemAvailable: 12582912 kB\n",
            4ll << 30);
    }
    void memoryInformation()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, used);
        QTemporaryDir root;
        write(root, "proc/meminfo", content);
        const std::optional<MemoryFigures> memory = figuresIn(root).memory();
        QCOMPARE(memory.has_value(), used >= 0);
        if (memory)
            QCOMPARE(qint64(memory->totalBytes - memory->availableBytes), used);
    }

    void garbageSupplyFilesAreSkipped()
    {
        QTemporaryDir root;
        // A battery whose charge cannot be read still makes this a machine on battery.
        supply(root, "BAT0", { { "type", "Battery" }, { "capacity", "abc" } });
        supply(root, "AC", { { "type", "Mains" }, { "online", "yes" } });
        supply(root, "weird", { { "type", "\x01\x02" }, { "online", "1" } });
        QVERIFY(QDir().mkpath(root.filePath("sys/class/power_supply/no-type")));
        write(root, "sys/class/power_supply/stray-file", "Battery");
        const PowerReading power = figuresIn(root).power();
        QCOMPARE(power.batteryPercent, std::nullopt);
        QVERIFY(power.hasSystemBattery);
        QVERIFY(!power.onExternalPower());
    }

    void supplyEntriesAreFollowedThroughLinks()
    {
        // As in sysfs, where the class directory holds links into the device tree.
        QTemporaryDir root;
        write(root, "sys/devices/acpi/BAT0/type", "Battery\n");
        write(root, "sys/devices/acpi/BAT0/capacity", "77\n");
        QVERIFY(QDir().mkpath(root.filePath("sys/class/power_supply")));
        QVERIFY(QFile::link(
            root.filePath("sys/devices/acpi/BAT0"), root.filePath("sys/class/power_supply/BAT0")));
        QCOMPARE(figuresIn(root).power().batteryPercent, std::optional<int>(77));
    }
};

BRIVANE_TEST_MAIN(TestSystemFigures)
#include "tst_systemfigures.moc"
