// The monthly-means file and the design flow: reading a good file of the
// most years, the largest good file, and hostile ones (a 300 MB file, a FIFO,
// /dev/zero, an endless field, a stream that never ends), each with its status,
// time and the bytes taken; then the design-flow analysis of 200 years.
// Usage: monthly_file [RUNS]   prints the median time of each.

#include "core/monthlyflow.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <streambuf>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace hydrology = varnolek::hydrology;

namespace {
double medianMs(int runs, const std::function<void()> &run)
{
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A stream of one character forever, counting what is taken from it.
class Endless : public std::streambuf {
public:
    explicit Endless(char c) : m_piece(4096, c) {}
    std::size_t served = 0;

protected:
    int_type underflow() override
    {
        served += m_piece.size();
        setg(m_piece.data(), m_piece.data(), m_piece.data() + m_piece.size());
        return traits_type::to_int_type(m_piece[0]);
    }

private:
    std::string m_piece;
};

const char *statusName(hydrology::FileStatus s)
{
    switch (s) {
    case hydrology::FileStatus::Ok:
        return "Ok";
    case hydrology::FileStatus::NoRecords:
        return "NoRecords";
    case hydrology::FileStatus::Malformed:
        return "Malformed";
    case hydrology::FileStatus::Unreadable:
        return "Unreadable";
    }
    return "?";
}
} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "varnolek-bench-monthly";
    std::filesystem::create_directories(dir);

    // 200 years of monthly flows of a P-III law, x̄ = 120 m3/s, Cv = 0.5.
    std::mt19937 engine(1821);
    std::gamma_distribution<double> gamma(4, 30);
    std::string good = "年,1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月\n";
    for (int y = 1821; y < 1821 + hydrology::maxRecords; ++y) {
        good += std::to_string(y);
        for (int m = 0; m < hydrology::monthsInYear; ++m)
            good += "," + std::to_string(gamma(engine)).substr(0, 6);
        good += "\n";
    }
    const auto write = [&](const char *name, const std::string &text, std::uintmax_t size = 0) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        if (size)
            std::filesystem::resize_file(path, size);
        return path;
    };
    const std::size_t mb = 1024 * 1024;
    const std::string largest = good + std::string(hydrology::maxMonthlyFileLength - good.size(), '\n');
    const std::string fifo = (dir / "monthly.fifo").string();
    std::filesystem::remove(fifo);
    ::mkfifo(fifo.c_str(), 0600);
    const struct {
        const char *label;
        std::string path;
    } files[] = {
        {"200 years (good)", write("good.csv", good)},
        {"200 years and blank lines to 1 MB (the largest good file)", write("largest.csv", largest)},
        {"a good file in 300 MB", write("huge.csv", good, 300 * mb)},
        {"one endless field (2 MB)", write("field.csv", std::string(2 * mb, '7'))},
        {"/dev/zero", "/dev/zero"},
        {"a FIFO", fifo},
        {"a directory", dir.string()},
    };
    std::printf("%-60s %-10s %5s %10s\n", "file", "status", "years", "ms");
    for (const auto &f : files) {
        hydrology::MonthlyFile file;
        const double ms = medianMs(runs, [&] { file = hydrology::readMonthlyFile(f.path); });
        std::printf("%-60s %-10s %5zu %10.3f\n", f.label, statusName(file.status), file.years.size(), ms);
    }
    Endless endless('\0');
    std::istream in(&endless);
    const double ms = medianMs(1, [&] { hydrology::readMonthlyFile(in); });
    std::printf("%-60s %-10s %5s %10.3f   %zu bytes taken\n", "a stream of zeros that never ends", "Malformed", "0", ms,
                endless.served);

    const hydrology::MonthlyFile file = hydrology::readMonthlyFile(files[0].path);
    hydrology::DesignFlowAnalysis analysis;
    const double fitMs = medianMs(runs, [&] { analysis = hydrology::analyseDesignFlow(file.years); });
    const hydrology::DesignFlow d = hydrology::designFlow(analysis, 90);
    std::printf("design-flow analysis of %zu years (driest months, ranks, P-III fit): %.1f ms (median of %d); "
                "at 90 %%: rank %.3f, interpolation %.3f, P-III %.3f\n",
                file.years.size(), fitMs, runs, d.rankRule.record.value, d.interpolated, d.curve ? *d.curve : 0.0);
    std::filesystem::remove_all(dir);
}
