// quorl-wavgen <folder>: writes the short wave files the program folder's "Sounds" folder ships
// with, so the Sounds menu has something to send on a fresh install. 16-bit mono PCM.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {
constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

struct Note
{
    double frequency; // 0: silence
    double seconds;
};

// Each note fades in and out quickly, so none clicks, and decays like a struck bell.
std::vector<int16_t> render(const std::vector<Note> &notes, double decay)
{
    std::vector<int16_t> samples;
    for (const Note &n : notes) {
        const int count = int(n.seconds * Rate);
        for (int i = 0; i < count; ++i) {
            const double t = double(i) / Rate;
            const double edge = std::fmin(1.0, std::fmin(t, n.seconds - t) / 0.005);
            const double env = edge * std::exp(-decay * t);
            const double wave = n.frequency > 0
                ? std::sin(2 * Pi * n.frequency * t) + 0.3 * std::sin(4 * Pi * n.frequency * t)
                : 0.0;
            samples.push_back(int16_t(std::lround(wave / 1.3 * env * 0.6 * 32767)));
        }
    }
    return samples;
}

void put32(std::FILE *f, uint32_t v)
{
    const unsigned char b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    std::fwrite(b, 1, 4, f);
}
void put16(std::FILE *f, uint16_t v)
{
    const unsigned char b[2] = {uint8_t(v), uint8_t(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

bool write(const std::filesystem::path &path, const std::vector<int16_t> &samples)
{
    std::FILE *f = std::fopen(path.string().c_str(), "wb");
    if (!f)
        return false;
    const uint32_t data = uint32_t(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + data);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, Rate);
    put32(f, Rate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, data);
    for (int16_t s : samples)
        put16(f, uint16_t(s));
    return std::fclose(f) == 0;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorl-wavgen <sounds folder>\n");
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(root / "Alerts", ec);
    const struct
    {
        const char *name;
        std::vector<Note> notes;
        double decay;
    } sounds[] = {
        {"beep.wav", {{880, 0.18}}, 2.0},
        {"chime.wav", {{659.25, 0.22}, {783.99, 0.22}, {1046.5, 0.45}}, 4.0},
        {"Alerts/ding.wav", {{1318.5, 0.6}}, 6.0},
        {"Alerts/knock.wav", {{180, 0.07}, {0, 0.08}, {180, 0.07}}, 30.0},
    };
    for (const auto &s : sounds) {
        if (!write(root / s.name, render(s.notes, s.decay))) {
            std::fprintf(stderr, "quorl-wavgen: cannot write %s\n", (root / s.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
