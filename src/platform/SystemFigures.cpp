// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SystemFigures.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <string>
#include <string_view>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

// Plain POSIX reads: these run on every refresh on the UI thread, and a few
// system calls per file cost far less than QFile's machinery.
namespace {

// Reads up to `limit` bytes of a file into `out`; false when it cannot be opened or read.
bool readFile(const std::string &path, std::string &out, size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out.resize(limit);
    size_t filled = 0;
    bool ok = true;
    while (filled < limit) {
        const ssize_t n = ::read(fd, out.data() + filled, limit - filled);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (n == 0)
            break;
        filled += size_t(n);
    }
    ::close(fd);
    out.resize(ok ? filled : 0);
    return ok;
}

std::string_view trimmed(std::string_view text)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The whole text as one unsigned decimal number, or none.
std::optional<quint64> parseNumber(std::string_view text)
{
    text = trimmed(text);
    quint64 value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The next whitespace-separated token of `text`, consumed.
std::string_view nextToken(std::string_view &text)
{
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        text = {};
        return {};
    }
    size_t end = text.find_first_of(" \t", start);
    if (end == std::string_view::npos)
        end = text.size();
    const std::string_view token = text.substr(start, end - start);
    text.remove_prefix(end);
    return token;
}

class SupplyDir
{
public:
    explicit SupplyDir(std::string path)
        : m_path(std::move(path))
    {
    }
    std::optional<std::string> text(const char *name) const
    {
        std::string content;
        if (!readFile(m_path + name, content, 256))
            return std::nullopt;
        return std::string(trimmed(content));
    }
    std::optional<quint64> number(const char *name) const
    {
        const std::optional<std::string> content = text(name);
        return content ? parseNumber(*content) : std::nullopt;
    }

private:
    std::string m_path; // ends with '/'
};

struct Battery
{
    std::optional<quint64> capacity;
    std::optional<quint64> energyNow, energyFull;
    std::optional<quint64> chargeNow, chargeFull;

    static std::optional<double> ratio(std::optional<quint64> now, std::optional<quint64> full)
    {
        if (!now || !full || *full == 0)
            return std::nullopt;
        return 100.0 * double(*now) / double(*full);
    }
    // The firmware's own percentage first: it is what every other gauge on
    // the desktop shows for a single battery.
    std::optional<double> percent() const
    {
        if (capacity && *capacity <= 100)
            return double(*capacity);
        if (auto energy = ratio(energyNow, energyFull))
            return energy;
        return ratio(chargeNow, chargeFull);
    }
};

// Several batteries of different sizes combine by stored energy (or charge),
// so a small full battery does not outweigh a large empty one; only when the
// batteries do not all report one of those do their percentages average.
std::optional<int> combinedPercent(const std::vector<Battery> &batteries)
{
    std::optional<double> percent;
    if (batteries.size() == 1) {
        percent = batteries.front().percent();
    } else if (batteries.size() > 1) {
        quint64 energyNow = 0, energyFull = 0, chargeNow = 0, chargeFull = 0;
        bool allEnergy = true, allCharge = true;
        double sum = 0;
        int counted = 0;
        for (const Battery &battery : batteries) {
            allEnergy = allEnergy && battery.energyNow && battery.energyFull;
            allCharge = allCharge && battery.chargeNow && battery.chargeFull;
            energyNow += battery.energyNow.value_or(0);
            energyFull += battery.energyFull.value_or(0);
            chargeNow += battery.chargeNow.value_or(0);
            chargeFull += battery.chargeFull.value_or(0);
            if (const auto own = battery.percent()) {
                sum += *own;
                ++counted;
            }
        }
        if (allEnergy && energyFull > 0)
            percent = 100.0 * double(energyNow) / double(energyFull);
        else if (allCharge && chargeFull > 0)
            percent = 100.0 * double(chargeNow) / double(chargeFull);
        else if (counted > 0)
            percent = sum / counted;
    }
    if (!percent)
        return std::nullopt;
    // A worn battery can report more energy than its last full charge.
    return int(std::lround(std::clamp(*percent, 0.0, 100.0)));
}

} // namespace

std::optional<double> busyPercentBetween(const CpuTimes &earlier, const CpuTimes &later)
{
    if (later.busy < earlier.busy || later.idle < earlier.idle)
        return std::nullopt;
    const quint64 busy = later.busy - earlier.busy;
    const quint64 total = busy + (later.idle - earlier.idle);
    if (total == 0)
        return std::nullopt;
    return 100.0 * double(busy) / double(total);
}

KernelFigures::KernelFigures(QByteArray root)
    : m_root(std::move(root))
{
    if (!m_root.endsWith('/'))
        m_root.append('/');
}

std::optional<CpuTimes> KernelFigures::cpuTimes() const
{
    // Only the first line, the machine's total, matters; on large machines
    // the per-processor and interrupt lines that follow run to many kilobytes.
    std::string content;
    if (!readFile(m_root.toStdString() + "proc/stat", content, 1024))
        return std::nullopt;
    std::string_view line(content);
    line = line.substr(0, line.find('\n'));
    if (nextToken(line) != "cpu")
        return std::nullopt;
    // user nice system idle iowait irq softirq steal [guest guest_nice];
    // kernels before 2.6.11 stop after iowait or earlier.
    std::array<quint64, 8> fields {};
    int count = 0;
    for (; count < int(fields.size()); ++count) {
        const std::string_view token = nextToken(line);
        if (token.empty())
            break;
        const std::optional<quint64> value = parseNumber(token);
        if (!value)
            return std::nullopt;
        fields[count] = *value;
    }
    if (count < 4)
        return std::nullopt;
    const auto [user, nice, system, idle, iowait, irq, softirq, steal] = fields;
    return CpuTimes { user + nice + system + irq + softirq + steal, idle + iowait };
}

std::optional<MemoryFigures> KernelFigures::memory() const
{
    std::string content;
    if (!readFile(m_root.toStdString() + "proc/meminfo", content, 16384))
        return std::nullopt;
    std::optional<quint64> total, available, free, buffers, cached;
    std::string_view rest(content);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, colon);
        std::string_view value = line.substr(colon + 1);
        std::optional<quint64> *target = key == "MemTotal" ? &total
            : key == "MemAvailable"                        ? &available
            : key == "MemFree"                             ? &free
            : key == "Buffers"                             ? &buffers
            : key == "Cached"                              ? &cached
                                                           : nullptr;
        if (!target)
            continue;
        const std::optional<quint64> kib = parseNumber(nextToken(value));
        if (kib && trimmed(value) == "kB" && *kib <= (std::numeric_limits<quint64>::max() >> 10))
            *target = *kib * 1024;
    }
    if (!total || *total == 0)
        return std::nullopt;
    // Kernels before 3.14 have no MemAvailable; free plus page cache is the
    // estimate those systems used.
    if (!available && free && buffers && cached)
        available = *free + *buffers + *cached;
    if (!available)
        return std::nullopt;
    return MemoryFigures { *total, std::min(*available, *total) };
}

std::optional<quint64> KernelFigures::diskFreeBytes() const
{
    struct statvfs fs;
    if (::statvfs(m_root.constData(), &fs) != 0)
        return std::nullopt;
    return quint64(fs.f_bavail) * quint64(fs.f_frsize);
}

PowerReading KernelFigures::power() const
{
    PowerReading reading;
    const std::string base = m_root.toStdString() + "sys/class/power_supply/";
    DIR *dir = ::opendir(base.c_str());
    if (!dir)
        return reading;
    std::vector<Battery> batteries;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        // Entries are symbolic links into the device tree: open through them.
        const SupplyDir supply(base + entry->d_name + '/');
        const std::optional<std::string> type = supply.text("type");
        if (!type)
            continue;
        // Mice, keyboards and headsets report their own batteries; they do
        // not power the machine.
        if (supply.text("scope") == "Device")
            continue;
        if (*type == "Battery") {
            if (supply.number("present") == 0u)
                continue; // an empty battery bay
            reading.hasSystemBattery = true;
            batteries.push_back({ supply.number("capacity"), supply.number("energy_now"),
                supply.number("energy_full"), supply.number("charge_now"), supply.number("charge_full") });
        } else if (*type == "Mains" || type->starts_with("USB")) {
            // 1 is a fixed supply, 2 a programmable one (USB Power Delivery).
            if (supply.number("online").value_or(0) > 0)
                reading.externalPowerOnline = true;
        }
    }
    ::closedir(dir);
    reading.batteryPercent = combinedPercent(batteries);
    return reading;
}

std::optional<double> KernelFigures::uptimeSeconds() const
{
    timespec now {};
    if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return std::nullopt;
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}
