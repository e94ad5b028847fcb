// The game's sound effects, built from a few synthesis primitives: swept oscillators, bells made
// of inharmonic partials, filtered noise and plucked strings. A fixed-seed noise source keeps
// every build byte-identical.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace veloria::media {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed) {}
    double Next() {  // uniform in [-1, 1)
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
};

enum class Wave { kSine, kTriangle, kSquare, kSaw };

double Oscillate(Wave wave, double phase) {  // phase in cycles
    const double p = phase - std::floor(phase);
    switch (wave) {
        case Wave::kSine:
            return std::sin(2 * kPi * p);
        case Wave::kTriangle:
            return 4 * std::abs(p - 0.5) - 1;
        case Wave::kSquare:
            return p < 0.5 ? 0.7 : -0.7;
        case Wave::kSaw:
            return 2 * p - 1;
    }
    return 0;
}

struct Buffer {
    std::vector<double> s;
    explicit Buffer(double seconds) : s(static_cast<size_t>(seconds * kRate), 0.0) {}
    size_t Index(double t) const { return static_cast<size_t>(std::max(0.0, t) * kRate); }
};

// Attack then exponential decay: the shape of most struck or plucked things.
double Strike(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// A tone from t0 lasting `length`, frequency gliding (exponentially) from f0 to f1, with its
// amplitude given per moment by `env(t)` (t from the tone's start) and optional vibrato.
template <typename Env>
void Tone(Buffer& b, double t0, double length, double f0, double f1, double amp, Wave wave, Env env,
          double vibratoHz = 0, double vibratoDepth = 0) {
    double phase = 0;
    const size_t begin = b.Index(t0);
    const size_t end = std::min(b.s.size(), b.Index(t0 + length));
    for (size_t i = begin; i < end; ++i) {
        const double t = static_cast<double>(i - begin) / kRate;
        double f = f0 * std::pow(f1 / f0, t / length);
        if (vibratoHz > 0) f *= 1 + vibratoDepth * std::sin(2 * kPi * vibratoHz * t);
        phase += f / kRate;
        b.s[i] += amp * env(t) * Oscillate(wave, phase);
    }
}

// A bell or chime: a sum of partials, each with its own ratio, level and decay.
struct Partial {
    double ratio, level, decay;
};
void Bell(Buffer& b, double t0, double freq, double amp, const std::vector<Partial>& partials,
          double attack = 0.002) {
    for (const Partial& p : partials) {
        Tone(b, t0, std::min(6 * p.decay, static_cast<double>(b.s.size()) / kRate - t0),
             freq * p.ratio, freq * p.ratio, amp * p.level, Wave::kSine,
             [&](double t) { return Strike(t, attack, p.decay); });
    }
}

const std::vector<Partial> kGlass = {
    {1, 1, 0.35}, {2.76, 0.5, 0.18}, {5.40, 0.25, 0.09}, {8.93, 0.12, 0.05}};
const std::vector<Partial> kCoin = {
    {1, 0.7, 0.12}, {1.52, 0.6, 0.10}, {2.73, 0.5, 0.08}, {4.07, 0.3, 0.05}};
const std::vector<Partial> kChime = {{1, 1, 0.5}, {2, 0.35, 0.3}, {3, 0.15, 0.2}, {4.2, 0.1, 0.1}};

// Noise through a resonant state-variable filter whose centre and level move with time.
// mode: 0 low-pass, 1 band-pass, 2 high-pass.
template <typename Cutoff, typename Env>
void FilteredNoise(Buffer& b, Noise& noise, double t0, double length, int mode, double q,
                   Cutoff cutoff, Env env, double amp) {
    double low = 0, band = 0;
    const size_t begin = b.Index(t0);
    const size_t end = std::min(b.s.size(), b.Index(t0 + length));
    for (size_t i = begin; i < end; ++i) {
        const double t = static_cast<double>(i - begin) / kRate;
        const double f = std::clamp(
            2 * std::sin(kPi * std::min(static_cast<double>(cutoff(t)), 0.2 * kRate) / kRate), 0.0,
            1.2);
        const double in = noise.Next();
        low += f * band;
        const double high = in - low - band / q;
        band += f * high;
        const double out = mode == 0 ? low : mode == 1 ? band : high;
        b.s[i] += amp * env(t) * out;
    }
}

// A plucked string (Karplus-Strong): a burst of noise circulating in a damped delay line.
void Pluck(Buffer& b, Noise& noise, double t0, double freq, double amp, double damping = 0.996) {
    const size_t period = std::max<size_t>(2, static_cast<size_t>(kRate / freq));
    std::vector<double> line(period);
    for (double& v : line) v = noise.Next();
    const size_t begin = b.Index(t0);
    size_t k = 0;
    for (size_t i = begin; i < b.s.size(); ++i) {
        const size_t next = (k + 1) % period;
        const double out = line[k];
        line[k] = damping * 0.5 * (line[k] + line[next]);
        k = next;
        b.s[i] += amp * out;
    }
}

// Scales to a comfortable peak, removes any DC offset and softens both ends against clicks.
std::vector<int16_t> Finish(Buffer& b, double peak = 0.85) {
    double mean = 0;
    for (double v : b.s) mean += v;
    mean /= std::max<size_t>(1, b.s.size());
    double top = 1e-9;
    for (double& v : b.s) {
        v -= mean;
        top = std::max(top, std::abs(v));
    }
    const size_t fade = std::min(b.s.size() / 4, static_cast<size_t>(0.004 * kRate));
    std::vector<int16_t> out(b.s.size());
    for (size_t i = 0; i < b.s.size(); ++i) {
        double g = peak / top;
        if (i < fade / 4) g *= static_cast<double>(i) / (fade / 4.0);
        if (i + fade > b.s.size()) g *= static_cast<double>(b.s.size() - i) / fade;
        out[i] = static_cast<int16_t>(std::lround(std::clamp(b.s[i] * g, -1.0, 1.0) * 32767));
    }
    return out;
}

double Note(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// --- interface sounds ----------------------------------------------------------------------

std::vector<int16_t> Click() {
    Buffer b(0.035);
    Noise n(11);
    Tone(b, 0, 0.035, 2400, 1800, 0.6, Wave::kSine,
         [](double t) { return Strike(t, 0.0005, 0.006); });
    FilteredNoise(
        b, n, 0, 0.02, 2, 1.0, [](double) { return 3000; },
        [](double t) { return Strike(t, 0.0002, 0.003); }, 0.5);
    return Finish(b, 0.6);
}

std::vector<int16_t> Button() {
    Buffer b(0.16);
    auto env = [](double t) { return Strike(t, 0.003, 0.05); };
    Tone(b, 0, 0.07, Note(76), Note(76), 0.5, Wave::kTriangle, env);
    Tone(b, 0.06, 0.1, Note(83), Note(83), 0.5, Wave::kTriangle, env);
    Tone(b, 0.06, 0.1, Note(95), Note(95), 0.12, Wave::kSine, env);
    return Finish(b, 0.7);
}

std::vector<int16_t> Button2() {  // a screen opens: a soft rising swish
    Buffer b(0.18);
    Tone(b, 0, 0.18, 420, 1300, 0.5, Wave::kTriangle,
         [](double t) { return Strike(t, 0.02, 0.05); });
    Tone(b, 0, 0.18, 840, 2600, 0.15, Wave::kSine, [](double t) { return Strike(t, 0.02, 0.04); });
    return Finish(b, 0.65);
}

std::vector<int16_t> Button3() {  // a screen closes: the mirror image
    Buffer b(0.18);
    Tone(b, 0, 0.18, 1300, 420, 0.5, Wave::kTriangle,
         [](double t) { return Strike(t, 0.01, 0.06); });
    Tone(b, 0, 0.18, 2600, 840, 0.12, Wave::kSine, [](double t) { return Strike(t, 0.01, 0.04); });
    return Finish(b, 0.65);
}

std::vector<int16_t> NoMagic() {  // refusal: two low buzzy notes falling
    Buffer b(0.38);
    auto env = [](double t) {
        return t < 0.13 ? std::min(1.0, t / 0.005) : std::exp(-(t - 0.13) / 0.02);
    };
    Tone(b, 0, 0.17, Note(52), Note(51), 0.45, Wave::kSquare, env, 28, 0.01);
    Tone(
        b, 0.19, 0.19, Note(47), Note(45), 0.45, Wave::kSquare,
        [](double t) { return t < 0.14 ? std::min(1.0, t / 0.005) : std::exp(-(t - 0.14) / 0.02); },
        28, 0.015);
    Tone(b, 0, 0.38, 70, 60, 0.25, Wave::kSaw, [](double t) { return Strike(t, 0.01, 0.15); });
    return Finish(b, 0.7);
}

std::vector<int16_t> Register() {  // coins dropping into the till, then its bell
    Buffer b(0.75);
    Noise n(7);
    const double hits[] = {0.0, 0.07, 0.11, 0.19, 0.24};
    for (int i = 0; i < 5; ++i) Bell(b, hits[i], 1900 + 260 * ((i * 3) % 5), 0.35, kCoin);
    FilteredNoise(
        b, n, 0.3, 0.06, 1, 2.0, [](double) { return 900; },
        [](double t) { return Strike(t, 0.001, 0.015); }, 0.8);  // the drawer
    Bell(b, 0.34, Note(88), 0.55, kChime);
    Bell(b, 0.34, Note(93), 0.35, kChime);
    return Finish(b);
}

std::vector<int16_t> Reroll() {  // dice rattling in a cup and tumbling out
    Buffer b(0.6);
    Noise n(23);
    double t = 0;
    for (int i = 0; t < 0.5; ++i) {
        const double freq = 1400 + 900 * ((i * 7) % 5) / 4.0;
        FilteredNoise(
            b, n, t, 0.03, 1, 6.0, [=](double) { return freq; },
            [](double s) { return Strike(s, 0.0005, 0.006); }, 1.2);
        Tone(b, t, 0.03, freq * 0.5, freq * 0.5, 0.12, Wave::kSine,
             [](double s) { return Strike(s, 0.0005, 0.008); });
        t += 0.018 + 0.035 * ((i * 5) % 7) / 6.0 + (t > 0.35 ? 0.03 : 0.0);
    }
    return Finish(b, 0.75);
}

std::vector<int16_t> Win() {  // a bright rising arpeggio
    Buffer b(0.9);
    const int keys[] = {72, 76, 79, 84, 88};
    for (int i = 0; i < 5; ++i) {
        const double t0 = 0.07 * i;
        Tone(b, t0, 0.9 - t0, Note(keys[i]), Note(keys[i]), 0.3, Wave::kTriangle,
             [](double t) { return Strike(t, 0.004, 0.25); });
        Bell(b, t0, Note(keys[i] + 12), 0.12, kGlass);
    }
    return Finish(b);
}

// --- spells ---------------------------------------------------------------------------------

std::vector<int16_t> FireWhoosh(double baseCutoff, uint32_t seed, double length) {
    Buffer b(length);
    Noise n(seed);
    FilteredNoise(
        b, n, 0, length, 0, 1.4,
        [=](double t) { return baseCutoff * (0.4 + 3.0 * t / length) * (1 - 0.6 * t / length); },
        [=](double t) {
            return std::sin(kPi * std::min(1.0, t / length)) * (0.8 + 0.2 * std::sin(40 * t));
        },
        1.0);
    Noise crackle(seed + 1);
    for (double t = 0.05; t < length - 0.1; t += 0.023 + 0.03 * (crackle.Next() + 1)) {
        FilteredNoise(
            b, n, t, 0.01, 2, 1, [](double) { return 4000; },
            [](double s) { return Strike(s, 0.0003, 0.002); }, 0.5);
    }
    Tone(b, 0, length, 90, 50, 0.3, Wave::kSine,
         [=](double t) { return std::sin(kPi * t / length); });
    return Finish(b);
}

std::vector<int16_t> IceChime() {
    Buffer b(0.9);
    Noise n(31);
    const int keys[] = {96, 91, 93, 88, 84};
    for (int i = 0; i < 5; ++i) Bell(b, 0.05 * i, Note(keys[i]), 0.3, kGlass);
    FilteredNoise(
        b, n, 0, 0.6, 2, 1, [](double) { return 7000; },
        [](double t) { return 0.3 * Strike(t, 0.05, 0.15); }, 0.6);
    return Finish(b);
}

std::vector<int16_t> Lightning(uint32_t seed, double length) {
    Buffer b(length);
    Noise n(seed);
    Noise timing(seed * 3 + 1);
    for (double t = 0; t < length * 0.6; t += 0.012 + 0.03 * (timing.Next() + 1) * 0.5) {
        const double level = 0.6 + 0.4 * timing.Next();
        FilteredNoise(
            b, n, t, 0.03, 2, 0.8, [](double) { return 2500; },
            [](double s) { return Strike(s, 0.0002, 0.005); }, level);
    }
    FilteredNoise(
        b, n, 0, length, 0, 0.9, [](double) { return 180; },
        [](double t) { return Strike(t, 0.01, 0.18); }, 5.0);  // the thunder underneath
    Tone(b, 0, length * 0.5, 3000, 600, 0.1, Wave::kSaw,
         [](double t) { return Strike(t, 0.001, 0.05); });
    return Finish(b);
}

std::vector<int16_t> ArcaneHum(double base, double rise, double length) {
    Buffer b(length);
    auto env = [=](double t) { return std::sin(kPi * std::min(1.0, t / length)); };
    for (double detune : {1.0, 1.006, 0.994, 1.5, 2.003}) {
        Tone(b, 0, length, base * detune, base * detune * rise, detune > 1.4 ? 0.12 : 0.25,
             Wave::kSaw,
             [&](double t) { return env(t) * (0.7 + 0.3 * std::sin(2 * kPi * 7 * t)); });
    }
    Tone(b, 0, length, base * 4, base * 4 * rise, 0.12, Wave::kSine, env, 6, 0.02);
    return Finish(b);
}

std::vector<int16_t> PoisonHiss() {
    Buffer b(0.8);
    Noise n(41);
    FilteredNoise(
        b, n, 0, 0.8, 1, 3, [](double t) { return 3000 + 1500 * std::sin(2 * kPi * 3 * t); },
        [](double t) { return Strike(t, 0.05, 0.3); }, 1.0);
    for (int i = 0; i < 7; ++i) {  // bubbles
        const double t0 = 0.08 + 0.09 * i;
        Tone(b, t0, 0.06, 300 + 60 * (i % 3), 900 + 80 * (i % 4), 0.25, Wave::kSine,
             [](double t) { return Strike(t, 0.003, 0.02); });
    }
    return Finish(b);
}

std::vector<int16_t> ShadowBolt() {
    Buffer b(0.8);
    Noise n(53);
    for (double detune : {1.0, 1.03, 0.97}) {
        Tone(
            b, 0, 0.8, 700 * detune, 90 * detune, 0.3, Wave::kSaw,
            [](double t) { return Strike(t, 0.02, 0.25); }, 9, 0.04);
    }
    FilteredNoise(
        b, n, 0, 0.5, 1, 4, [](double t) { return 1600 - 2000 * t; },
        [](double t) { return Strike(t, 0.01, 0.15); }, 0.8);
    return Finish(b);
}

std::vector<int16_t> EarthQuake() {
    Buffer b(0.85);
    Noise n(61);
    Tone(b, 0, 0.85, 95, 40, 0.9, Wave::kSine, [](double t) { return Strike(t, 0.002, 0.2); });
    FilteredNoise(
        b, n, 0, 0.85, 0, 1.2, [](double t) { return 400 - 300 * t; },
        [](double t) { return Strike(t, 0.005, 0.25); }, 4.0);
    for (int i = 0; i < 6; ++i) {  // falling stones
        FilteredNoise(
            b, n, 0.15 + 0.08 * i, 0.05, 1, 3, [=](double) { return 700 + 150 * (i % 3); },
            [](double t) { return Strike(t, 0.001, 0.012); }, 1.2);
    }
    return Finish(b);
}

std::vector<int16_t> WindHowl() {
    Buffer b(0.9);
    Noise n(71);
    FilteredNoise(
        b, n, 0, 0.9, 1, 9, [](double t) { return 500 + 1400 * std::sin(kPi * t / 0.9); },
        [](double t) { return std::sin(kPi * t / 0.9); }, 2.0);
    FilteredNoise(
        b, n, 0, 0.9, 1, 12, [](double t) { return 900 + 1800 * std::sin(kPi * t / 0.9); },
        [](double t) { return 0.6 * std::sin(kPi * t / 0.9); }, 1.5);
    return Finish(b);
}

std::vector<int16_t> DeathRay() {
    Buffer b(0.75);
    const size_t len = b.s.size();
    for (size_t i = 0; i < len; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double carrier = std::sin(2 * kPi * (880 * t - 300 * t * t));
        const double mod = std::sin(2 * kPi * 57 * t);
        b.s[i] = carrier * mod * Strike(t, 0.01, 0.3);
    }
    Tone(b, 0, 0.75, 110, 55, 0.4, Wave::kSquare, [](double t) { return Strike(t, 0.01, 0.25); });
    return Finish(b);
}

// --- world sounds ---------------------------------------------------------------------------

std::vector<int16_t> TeleShimmer() {
    Buffer b(0.8);
    Noise n(83);
    for (int i = 0; i < 12; ++i) {
        const double t0 = 0.04 * i;
        Tone(b, t0, 0.8 - t0, Note(79 + 2 * i), Note(79 + 2 * i), 0.16, Wave::kSine, [](double t) {
            return Strike(t, 0.01, 0.12) * (0.6 + 0.4 * std::sin(2 * kPi * 18 * t));
        });
    }
    FilteredNoise(
        b, n, 0, 0.8, 1, 4, [](double t) { return 2000 + 6000 * t; },
        [](double t) { return 0.4 * std::sin(kPi * t / 0.8); }, 0.6);
    return Finish(b);
}

std::vector<int16_t> TeleWarp() {
    Buffer b(0.8);
    auto env = [](double t) { return std::sin(kPi * t / 0.8); };
    Tone(b, 0, 0.8, 900, 120, 0.4, Wave::kSaw, env, 11, 0.06);
    Tone(b, 0, 0.8, 905, 119, 0.4, Wave::kSaw, env, 13, 0.06);
    Tone(b, 0, 0.8, 1800, 240, 0.1, Wave::kSine, env);
    return Finish(b);
}

std::vector<int16_t> Gap() {  // passing through to another level: a rising rush and a chord
    Buffer b(0.95);
    Noise n(97);
    FilteredNoise(
        b, n, 0, 0.7, 1, 2.5, [](double t) { return 300 * std::pow(20.0, t / 0.7); },
        [](double t) { return std::sin(kPi * t / 0.7); }, 1.2);
    for (int key : {67, 71, 74, 79}) {
        Tone(b, 0.45, 0.5, Note(key), Note(key), 0.14, Wave::kTriangle,
             [](double t) { return Strike(t, 0.02, 0.18); });
    }
    return Finish(b);
}

std::vector<int16_t> BattleStart() {  // a crash, a deep boom and a timpani roll swelling out
    Buffer b(1.6);
    Noise n(101);
    Tone(b, 0, 1.2, 70, 38, 1.0, Wave::kSine, [](double t) { return Strike(t, 0.003, 0.3); });
    FilteredNoise(
        b, n, 0, 1.6, 2, 0.7, [](double) { return 4500; },
        [](double t) { return Strike(t, 0.002, 0.45); }, 0.7);  // cymbal
    FilteredNoise(
        b, n, 0, 0.3, 0, 1, [](double) { return 800; },
        [](double t) { return Strike(t, 0.001, 0.05); }, 3.0);
    for (int i = 0; i < 16; ++i) {  // the roll
        const double t0 = 0.55 + 0.045 * i;
        const double level = 0.15 + 0.04 * i;
        Tone(b, t0, 0.4, 98, 92, level, Wave::kSine,
             [](double t) { return Strike(t, 0.002, 0.12); });
        FilteredNoise(
            b, n, t0, 0.05, 1, 2, [](double) { return 250; },
            [](double t) { return Strike(t, 0.001, 0.01); }, level * 2);
    }
    Tone(b, 1.27, 0.33, 73, 70, 1.0, Wave::kSine, [](double t) { return Strike(t, 0.002, 0.12); });
    return Finish(b, 0.9);
}

std::vector<int16_t> Unlock() {  // the key's teeth, the turn, and the latch giving
    Buffer b(0.65);
    Noise n(113);
    for (int i = 0; i < 4; ++i) {
        FilteredNoise(
            b, n, 0.03 * i, 0.02, 1, 8, [](double) { return 3500; },
            [](double t) { return Strike(t, 0.0003, 0.004); }, 1.0);
    }
    FilteredNoise(
        b, n, 0.18, 0.18, 1, 3, [](double t) { return 1200 + 800 * t; },
        [](double t) { return 0.25 * std::sin(kPi * t / 0.18); }, 1.0);  // turning
    Bell(b, 0.38, 620, 0.35, kCoin);                                     // the latch
    FilteredNoise(
        b, n, 0.38, 0.12, 0, 1.5, [](double) { return 500; },
        [](double t) { return Strike(t, 0.001, 0.03); }, 3.0);
    Tone(b, 0.38, 0.2, 140, 110, 0.5, Wave::kSine, [](double t) { return Strike(t, 0.001, 0.05); });
    return Finish(b);
}

std::vector<int16_t> IntroGong() {  // a gong whose upper partials bloom, with a soft chime
    Buffer b(1.8);
    Noise n(127);
    const std::vector<Partial> gong = {{1, 1, 0.9},      {1.48, 0.6, 0.7},   {2.03, 0.45, 0.6},
                                       {2.74, 0.3, 0.5}, {3.61, 0.22, 0.45}, {4.9, 0.15, 0.35}};
    const double f = 82;
    for (const Partial& p : gong) {
        // Higher partials arrive later, which is what makes a gong swell.
        const double delay = 0.04 * (p.ratio - 1);
        Tone(b, 0, 1.8, f * p.ratio, f * p.ratio * 0.998, p.level, Wave::kSine, [&](double t) {
            const double rise = std::min(1.0, std::max(0.0, (t - delay) / (0.08 + 0.1 * p.ratio)));
            return rise * std::exp(-t / (p.decay * 1.6));
        });
    }
    FilteredNoise(
        b, n, 0, 0.3, 1, 2, [](double) { return 300; },
        [](double t) { return Strike(t, 0.002, 0.06); }, 1.5);  // the mallet
    for (int i = 0; i < 3; ++i) Bell(b, 0.5 + 0.25 * i, Note(81 + 5 * i), 0.15, kChime);
    return Finish(b);
}

std::vector<int16_t> IntroHarp() {  // a harp glissando up a pentatonic scale, ringing out
    Buffer b(1.7);
    Noise n(131);
    const int scale[] = {50, 52, 54, 57, 59, 62, 64, 66, 69, 71, 74, 76, 78, 81};
    for (int i = 0; i < 14; ++i) Pluck(b, n, 0.055 * i, Note(scale[i]), 0.35 - 0.01 * i, 0.9975);
    for (int key : {62, 66, 69, 74}) Pluck(b, n, 0.95, Note(key), 0.3, 0.998);
    return Finish(b);
}

}  // namespace

std::vector<SoundEffect> SynthesizeAllSounds() {
    std::vector<SoundEffect> all = {
        {"click.wav", Click()},
        {"button.wav", Button()},
        {"button2.wav", Button2()},
        {"button3.wav", Button3()},
        {"nomag.wav", NoMagic()},
        {"register.wav", Register()},
        {"reroll.wav", Reroll()},
        {"win.wav", Win()},
        // The heroine's four spells, then the villains'.
        {"spell00.wav", FireWhoosh(900, 3, 0.7)},
        {"spell01.wav", IceChime()},
        {"spell02.wav", Lightning(5, 0.7)},
        {"spell03.wav", ArcaneHum(110, 1.5, 0.8)},
        {"spell04.wav", FireWhoosh(450, 9, 0.85)},
        {"spell05.wav", PoisonHiss()},
        {"spell06.wav", ShadowBolt()},
        {"spell07.wav", EarthQuake()},
        {"spell08.wav", WindHowl()},
        {"spell09.wav", DeathRay()},
        {"tele01.wav", TeleShimmer()},
        {"tele02.wav", TeleWarp()},
        {"gap.wav", Gap()},
        {"battle.wav", BattleStart()},
        {"unlock.wav", Unlock()},
        {"intro1.wav", IntroGong()},
        {"intro2.wav", IntroHarp()},
    };
    return all;
}

}  // namespace veloria::media
