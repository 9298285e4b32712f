#include "tools/datatool/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using Buffer = std::vector<float>;

constexpr double pi = 3.14159265358979323846;
constexpr double rate = soundRate;

// ---------------------------------------------------------------------------
// Building blocks

// xorshift: the same noise on every run and every machine.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed ? seed : 1) {}
    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }
    float between(float lo, float hi) { return lo + (next() + 1) * 0.5f * (hi - lo); }
};

std::size_t sampleAt(double seconds)
{
    return static_cast<std::size_t>(std::max(0.0, std::round(seconds * rate)));
}

Buffer silence(double seconds)
{
    return Buffer(sampleAt(seconds), 0.0f);
}

void addAt(Buffer& out, std::size_t i, float v)
{
    if (i < out.size())
        out[i] += v;
}

double midiFrequency(double note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Two-pole filters after the well-known cookbook formulas.
struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
    float run(float x)
    {
        const float y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

enum FilterKind { LowPass, HighPass, BandPass };

Biquad makeFilter(FilterKind kind, double frequency, double q)
{
    const double w = 2 * pi * std::min(frequency, rate * 0.45) / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    double b0, b1, b2;
    if (kind == LowPass) {
        b0 = (1 - c) / 2;
        b1 = 1 - c;
        b2 = (1 - c) / 2;
    } else if (kind == HighPass) {
        b0 = (1 + c) / 2;
        b1 = -(1 + c);
        b2 = (1 + c) / 2;
    } else {
        b0 = alpha;
        b1 = 0;
        b2 = -alpha;
    }
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0 = static_cast<float>(b0 / a0);
    f.b1 = static_cast<float>(b1 / a0);
    f.b2 = static_cast<float>(b2 / a0);
    f.a1 = static_cast<float>(-2 * c / a0);
    f.a2 = static_cast<float>((1 - alpha) / a0);
    return f;
}

// One-pole low-pass whose cut-off may move every sample.
struct Smoother {
    float y = 0;
    float run(float x, double cutoff)
    {
        const float k = static_cast<float>(std::min(1.0, 2 * pi * cutoff / rate));
        y += k * (x - y);
        return y;
    }
};

// Band-limited saw and square (polynomial smoothing of the steps), so high
// notes do not fold back into harsh aliases.
double blep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

double saw(double phase, double dt)
{
    return 2 * phase - 1 - blep(phase, dt);
}

double square(double phase, double dt)
{
    double v = phase < 0.5 ? 1 : -1;
    v += blep(phase, dt);
    v -= blep(std::fmod(phase + 0.5, 1.0), dt);
    return v;
}

double wrap(double phase)
{
    return phase - std::floor(phase);
}

// Attack, decay to a sustain level, release after the gate closes.
double envelope(double t, double gate, double attack, double decay, double sustain, double release)
{
    double level;
    const double held = std::min(t, gate);
    if (held < attack)
        level = held / attack;
    else
        level = sustain + (1 - sustain) * std::exp(-(held - attack) / decay);
    if (t > gate)
        level *= std::exp(-(t - gate) / release);
    return level;
}

// Short fades at both ends of a one-shot, so it starts and ends without a
// click.
void fadeEnds(Buffer& b, double in, double out)
{
    const std::size_t n = b.size();
    const std::size_t fi = std::min(n, sampleAt(in));
    const std::size_t fo = std::min(n, sampleAt(out));
    for (std::size_t i = 0; i < fi; ++i)
        b[i] *= static_cast<float>(i) / static_cast<float>(fi);
    for (std::size_t i = 0; i < fo; ++i)
        b[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(fo);
}

// ---------------------------------------------------------------------------
// Levels. Loudness here is the loudest 400 ms stretch (RMS), as a listener
// hears a sound's level. The foreground sounds share one level; the crowd's
// murmur sits well under them, so impacts, the bell and the themes stand
// out of it. All leave headroom: at a win the bell, the cheer, the theme and
// two crowds play at once, and the mixer clips what adds up past full scale.

constexpr float impactLevel = -17, bellLevel = -18, cheerLevel = -19, themeLevel = -17, murmurLevel = -33;
constexpr float peakCeiling = 0.89f;    // -1 dBFS
constexpr float limiterKnee = 0.63f;    // -4 dBFS

float loudestStretch(const Buffer& b)
{
    const std::size_t window = sampleAt(0.4), hop = sampleAt(0.05);
    double best = 0;
    for (std::size_t start = 0; start == 0 || start + window <= b.size(); start += hop) {
        const std::size_t end = std::min(b.size(), start + window);
        double sum = 0;
        for (std::size_t i = start; i < end; ++i)
            sum += static_cast<double>(b[i]) * b[i];
        best = std::max(best, sum / static_cast<double>(window));
        if (end == b.size())
            break;
    }
    return static_cast<float>(10 * std::log10(std::max(best, 1e-20)));
}

// Scales to the level, then rounds off the few peaks above the knee so none
// reaches the ceiling: nothing clips.
void setLevel(Buffer& b, float level)
{
    const float gain = std::pow(10.0f, (level - loudestStretch(b)) / 20);
    const float room = peakCeiling - limiterKnee;
    for (float& v : b) {
        v *= gain;
        const float a = std::fabs(v);
        if (a > limiterKnee)
            v = std::copysign(limiterKnee + room * std::tanh((a - limiterKnee) / room), v);
    }
}

std::vector<int16_t> toSamples(const Buffer& b)
{
    std::vector<int16_t> out(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        const long v = std::lround(static_cast<double>(b[i]) * 32767.0);
        out[i] = static_cast<int16_t>(std::clamp(v, -32767L, 32767L));
    }
    return out;
}

// ---------------------------------------------------------------------------
// Drums and hits, each added into a buffer at a time in seconds.

// A sine that drops from `high` to `low` Hz: kicks, thumps, toms.
void thump(Buffer& out, double at, float gain, double high, double low, double drop, double decay)
{
    const std::size_t start = sampleAt(at), length = sampleAt(decay * 7);
    double phase = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = low + (high - low) * std::exp(-t / drop);
        phase = wrap(phase + f / rate);
        const double attack = std::min(1.0, t / 0.002);
        addAt(out, start + i, static_cast<float>(gain * attack * std::exp(-t / decay) * std::sin(2 * pi * phase)));
    }
}

// Filtered noise with a sharp attack and an exponential decay.
void noiseHit(Buffer& out, double at, float gain, Biquad filter, double decay, Noise& noise, double attack = 0.001)
{
    const std::size_t start = sampleAt(at), length = sampleAt(decay * 7 + attack);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double env = std::min(1.0, t / attack) * std::exp(-std::max(0.0, t - attack) / decay);
        addAt(out, start + i, static_cast<float>(gain * env) * filter.run(noise.next()));
    }
}

void kick(Buffer& out, double at, float gain, Noise& noise)
{
    thump(out, at, gain, 150, 46, 0.035, 0.16);
    noiseHit(out, at, gain * 0.25f, makeFilter(LowPass, 3000, 0.7), 0.004, noise);
}

void snare(Buffer& out, double at, float gain, Noise& noise)
{
    thump(out, at, gain * 0.5f, 240, 185, 0.02, 0.05);
    noiseHit(out, at, gain * 0.9f, makeFilter(BandPass, 3200, 0.6), 0.07, noise);
}

void hat(Buffer& out, double at, float gain, bool open, Noise& noise)
{
    noiseHit(out, at, gain, makeFilter(HighPass, 7000, 0.7), open ? 0.12 : 0.022, noise);
}

void tom(Buffer& out, double at, float gain, double pitch, Noise& noise)
{
    thump(out, at, gain, pitch * 1.6, pitch, 0.05, 0.22);
    noiseHit(out, at, gain * 0.3f, makeFilter(BandPass, pitch * 6, 1.0), 0.03, noise);
}

void crash(Buffer& out, double at, float gain, Noise& noise)
{
    Biquad high = makeFilter(HighPass, 4000, 0.7);
    Biquad soft = makeFilter(LowPass, 9000, 0.7);
    const std::size_t start = sampleAt(at), length = sampleAt(2.5);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double env = std::min(1.0, t / 0.002) * (0.6 * std::exp(-t / 0.08) + 0.4 * std::exp(-t / 0.7));
        addAt(out, start + i, static_cast<float>(gain * env) * soft.run(high.run(noise.next())));
    }
}

// A distant rumble with a crack at its head.
void thunder(Buffer& out, double at, float gain, Noise& noise)
{
    noiseHit(out, at, gain * 0.35f, makeFilter(BandPass, 1800, 0.8), 0.05, noise);
    Biquad low = makeFilter(LowPass, 160, 0.9);
    Smoother wobble;
    const std::size_t start = sampleAt(at), length = sampleAt(3.2);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double env = std::min(1.0, t / 0.25) * std::exp(-t / 0.9);
        const float roll = 0.6f + 0.4f * wobble.run(noise.next() > 0.9f ? 4.0f : 0.0f, 6);
        addAt(out, start + i, static_cast<float>(gain * 3 * env) * roll * low.run(noise.next()));
    }
}

// ---------------------------------------------------------------------------
// Pitched voices

enum Voice { Brass, Lead, Bass, Organ, Guitar, Drone };

void note(Buffer& out, double at, double length, double pitch, Voice voice, float gain)
{
    const double f = midiFrequency(pitch);
    const double dt = f / rate;
    const double release = voice == Drone ? 1.5 : voice == Organ ? 0.4 : voice == Guitar ? 0.04 : 0.1;
    const std::size_t start = sampleAt(at), count = sampleAt(length + release * 5);
    double p1 = 0, p2 = 0.3, p3 = 0.6;
    Smoother tone1, tone2;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        double v = 0;
        switch (voice) {
        case Brass: {
            const double env = envelope(t, length, 0.035, 0.18, 0.7, release);
            const double vib = 1 + 0.003 * std::sin(2 * pi * 5 * t) * std::min(1.0, t / 0.3);
            p1 = wrap(p1 + dt * vib);
            p2 = wrap(p2 + dt * vib * 1.004);
            const double raw = 0.5 * (saw(p1, dt) + saw(p2, dt * 1.004));
            const double cutoff = f * 1.2 + 2600 * env;
            v = env * tone2.run(tone1.run(static_cast<float>(raw), cutoff), cutoff);
            break;
        }
        case Lead: {
            const double env = envelope(t, length, 0.01, 0.12, 0.65, release);
            const double vib = 1 + 0.004 * std::sin(2 * pi * 5.5 * t) * std::min(1.0, t / 0.2);
            p1 = wrap(p1 + dt * vib);
            v = env * tone2.run(tone1.run(static_cast<float>(square(p1, dt)), 3200), 3200);
            break;
        }
        case Bass: {
            const double env = envelope(t, length, 0.004, 0.35, 0.0, release);
            p1 = wrap(p1 + dt);
            const double cutoff = 250 + 900 * std::exp(-t / 0.08);
            v = env * tone2.run(tone1.run(static_cast<float>(saw(p1, dt)), cutoff), cutoff);
            break;
        }
        case Organ: {
            const double env = envelope(t, length, 0.25, 1.0, 1.0, release);
            p1 = wrap(p1 + dt);
            const double s = std::sin(2 * pi * p1) + 0.5 * std::sin(4 * pi * p1) +
                             0.3 * std::sin(6 * pi * p1) + 0.2 * std::sin(8 * pi * p1);
            v = env * (1 + 0.1 * std::sin(2 * pi * 6 * t)) * s * 0.5;
            break;
        }
        case Guitar: {
            // Root, fifth and octave, driven into a soft clip: a power chord.
            const double env = envelope(t, length, 0.003, 0.5, 0.5, release);
            p1 = wrap(p1 + dt * 1.002);
            p2 = wrap(p2 + dt * 1.4983);
            p3 = wrap(p3 + dt * 1.998);
            const double raw = saw(p1, dt) + 0.8 * saw(p2, dt * 1.5) + 0.6 * saw(p3, dt * 2);
            const double driven = std::tanh(3.5 * raw);
            v = env * tone2.run(tone1.run(static_cast<float>(driven), 2600), 2600);
            break;
        }
        case Drone: {
            const double env = envelope(t, length, 1.5, 1.0, 1.0, release);
            p1 = wrap(p1 + dt * 0.9965);
            p2 = wrap(p2 + dt * 1.0035);
            const double raw = 0.5 * (saw(p1, dt) + saw(p2, dt));
            v = env * tone2.run(tone1.run(static_cast<float>(raw), 380), 380);
            break;
        }
        }
        addAt(out, start + i, static_cast<float>(gain * v));
    }
}

void chord(Buffer& out, double at, double length, std::initializer_list<int> pitches, Voice voice, float gain)
{
    for (int p : pitches)
        note(out, at, length, p, voice, gain);
}

// A tune written in bars and beats.
struct Score {
    double beat;            // seconds
    int beatsPerBar = 4;
    double at(double bar, double beatInBar = 0) const { return (bar * beatsPerBar + beatInBar) * beat; }
};

struct Step {
    double beat, length;
    int pitch;
};

// Notes of one bar.
void melody(Buffer& out, const Score& s, int bar, std::initializer_list<Step> steps, Voice voice, float gain)
{
    for (const Step& n : steps)
        note(out, s.at(bar, n.beat), n.length * s.beat * 0.92, n.pitch, voice, gain);
}

// ---------------------------------------------------------------------------
// Impacts, bell and crowd

Buffer punchFace()
{
    Noise noise(0x5eed01);
    Buffer b = silence(0.4);
    thump(b, 0, 1.0f, 170, 55, 0.025, 0.07);
    noiseHit(b, 0, 0.9f, makeFilter(BandPass, 1800, 0.8), 0.012, noise);
    noiseHit(b, 0, 0.7f, makeFilter(LowPass, 500, 0.7), 0.045, noise);
    fadeEnds(b, 0.001, 0.05);
    setLevel(b, impactLevel);
    return b;
}

Buffer bodyFall()
{
    Noise noise(0x5eed02);
    Buffer b = silence(1.5);
    thump(b, 0, 1.0f, 110, 38, 0.06, 0.22);
    noiseHit(b, 0, 0.9f, makeFilter(LowPass, 900, 0.7), 0.09, noise);
    noiseHit(b, 0, 0.35f, makeFilter(BandPass, 2500, 0.9), 0.02, noise);
    // The body bounces once.
    thump(b, 0.11, 0.45f, 95, 40, 0.05, 0.12);
    noiseHit(b, 0.11, 0.3f, makeFilter(LowPass, 700, 0.7), 0.05, noise);
    // The ring rattles: turnbuckles and ropes ring in short, dying clatters.
    const double partials[5] = {187, 263, 411, 627, 958};
    Smoother clatter;
    double phases[5] = {};
    float hits = 0;
    const std::size_t start = sampleAt(0.02), length = sampleAt(1.2);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        if (noise.next() > 1 - 2.0f * 40 / soundRate)      // about 40 knocks a second
            hits += 1;
        hits *= 0.996f;
        const float knock = clatter.run(hits, 400);
        double ring = 0;
        for (int k = 0; k < 5; ++k) {
            phases[k] = wrap(phases[k] + partials[k] / rate);
            ring += std::sin(2 * pi * phases[k]) / (1 + k * 0.6);
        }
        const double fade = std::exp(-t / 0.35) * (1 - t / 1.2);
        addAt(b, start + i, static_cast<float>(0.18 * fade * ring) * knock);
    }
    // And the ropes sway.
    Buffer sway = silence(1.5);
    double phase = 0;
    for (std::size_t i = 0; i < sway.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        phase = wrap(phase + 62 * (1 + 0.02 * std::sin(2 * pi * 3 * t)) / rate);
        b[i] += static_cast<float>(0.12 * std::min(1.0, t / 0.03) * std::exp(-t / 0.4) * std::sin(2 * pi * phase));
    }
    fadeEnds(b, 0.001, 0.15);
    setLevel(b, impactLevel);
    return b;
}

// A boxing-ring bell: a bright dome, struck three times.
Buffer ringBell()
{
    Noise noise(0x5eed03);
    Buffer b = silence(3.4);
    const double ratios[6] = {1.0, 1.003, 2.09, 2.76, 3.91, 5.42};
    const double amps[6] = {0.5, 0.5, 0.45, 0.35, 0.2, 0.12};
    const double decays[6] = {1.3, 1.25, 0.8, 0.6, 0.35, 0.2};
    const double base = 1046;
    // Strikes a whole number of the dome's cycles apart, so each adds to the
    // ringing instead of cancelling it; the hammer damps what rings as it
    // strikes again.
    const double strikes[3] = {0, 439 / base, 878 / base};
    for (int j = 0; j < 3; ++j) {
        const std::size_t start = sampleAt(strikes[j]), length = b.size() - start;
        for (std::size_t i = 0; i < length; ++i) {
            const double t = static_cast<double>(i) / rate;
            double v = 0;
            for (int k = 0; k < 6; ++k)
                v += amps[k] * std::exp(-t / decays[k]) * std::sin(2 * pi * base * ratios[k] * t);
            double damping = 1;
            for (int later = j + 1; later < 3; ++later)
                damping *= 1 - 0.55 * std::clamp((t + strikes[j] - strikes[later]) / 0.005, 0.0, 1.0);
            addAt(b, start + i, static_cast<float>(v * damping * std::min(1.0, t / 0.0015)));
        }
        noiseHit(b, strikes[j], 0.3f, makeFilter(HighPass, 3000, 0.7), 0.004, noise);
    }
    fadeEnds(b, 0.001, 0.6);
    setLevel(b, bellLevel);
    return b;
}

// Many voices talking at once: each a formant of noise whose loudness walks
// at syllable rate.
void addVoices(Buffer& b, int voices, double lowFormant, double highFormant, double syllables, Noise& noise)
{
    for (int v = 0; v < voices; ++v) {
        Biquad formant = makeFilter(BandPass, noise.between(static_cast<float>(lowFormant), static_cast<float>(highFormant)), 2.5);
        Smoother loudness;
        float target = 0;
        std::size_t nextChange = 0;
        const float weight = noise.between(0.5f, 1.0f);
        for (std::size_t i = 0; i < b.size(); ++i) {
            if (i >= nextChange) {
                target = noise.next() > -0.2f ? noise.between(0.2f, 1.0f) : 0.0f;
                nextChange = i + sampleAt(noise.between(0.5f, 1.5f) / static_cast<float>(syllables));
            }
            b[i] += weight * loudness.run(target, 8) * formant.run(noise.next());
        }
    }
}

// The hall's murmur, a loop whose last sample leads into its first: the
// material is made longer than the loop and its overhang is cross-faded
// into the start.
Buffer crowdMurmur()
{
    Noise noise(0x5eed04);
    const double loopSeconds = 9.5, overlap = 0.5;
    Buffer raw = silence(loopSeconds + overlap);
    addVoices(raw, 28, 350, 1300, 4.0, noise);
    Biquad air = makeFilter(BandPass, 700, 0.5);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        // The hall's mood rises and falls slowly.
        const double t = static_cast<double>(i) / rate;
        const double mood = 1 + 0.15 * std::sin(2 * pi * 0.13 * t) + 0.1 * std::sin(2 * pi * 0.31 * t + 1);
        raw[i] = static_cast<float>((raw[i] + 0.8f * air.run(noise.next())) * mood);
    }
    const std::size_t n = sampleAt(loopSeconds), x = sampleAt(overlap);
    Buffer b(raw.begin(), raw.begin() + static_cast<long>(n));
    for (std::size_t i = 0; i < x; ++i) {
        // Equal power: the two stretches are unrelated noise.
        const double w = static_cast<double>(i) / static_cast<double>(x) * pi / 2;
        b[i] = static_cast<float>(raw[i] * std::sin(w) + raw[n + i] * std::cos(w));
    }
    setLevel(b, murmurLevel);
    return b;
}

// The cheer at a win: brighter voices, claps and whistles, swelling and
// fading.
Buffer bigCheer()
{
    Noise noise(0x5eed05);
    Buffer b = silence(5.0);
    addVoices(b, 36, 500, 2200, 7.0, noise);
    Biquad roar = makeFilter(BandPass, 1100, 0.5);
    for (float& v : b)
        v += 1.2f * roar.run(noise.next());
    for (int c = 0; c < 140; ++c)
        noiseHit(b, noise.between(0.2f, 4.0f), noise.between(0.6f, 1.4f), makeFilter(BandPass, noise.between(1200, 2200), 1.2), 0.008, noise);
    for (int w = 0; w < 4; ++w) {
        const double start = noise.between(0.4f, 2.6f), length = noise.between(0.4f, 0.8f);
        const double low = noise.between(1700, 2100);
        double phase = 0;
        for (std::size_t i = 0; i < sampleAt(length); ++i) {
            const double t = static_cast<double>(i) / rate, u = t / length;
            const double f = low * (1 + 0.35 * std::sin(pi * u)) * (1 + 0.01 * std::sin(2 * pi * 7 * t));
            phase = wrap(phase + f / rate);
            addAt(b, sampleAt(start) + i, static_cast<float>(0.9 * std::sin(pi * u) * std::sin(2 * pi * phase)));
        }
    }
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double rise = 0.5 - 0.5 * std::cos(pi * std::min(1.0, t / 0.7));
        const double fall = t < 2.4 ? 1.0 : 0.5 + 0.5 * std::cos(pi * std::min(1.0, (t - 2.4) / 2.6));
        b[i] *= static_cast<float>(rise * fall);
    }
    setLevel(b, cheerLevel);
    return b;
}

// ---------------------------------------------------------------------------
// Entrance themes, one to each character's look.

// The Vorlan, crimson and gold, tribal band on the arm: war drums under a
// brass fanfare in D minor.
Buffer vorlanTheme()
{
    Noise noise(0x5eed10);
    const Score s{60.0 / 96};
    Buffer b = silence(s.at(9) + 2.8);
    for (int bar = 0; bar < 9; ++bar) {
        kick(b, s.at(bar, 0), 1.0f, noise);
        kick(b, s.at(bar, 2), 0.8f, noise);
        tom(b, s.at(bar, 0), 0.7f, 73, noise);
        tom(b, s.at(bar, 0.75), 0.45f, 110, noise);
        tom(b, s.at(bar, 1.5), 0.5f, 110, noise);
        tom(b, s.at(bar, 2), 0.7f, 73, noise);
        tom(b, s.at(bar, 2.5), 0.45f, 147, noise);
        tom(b, s.at(bar, 2.75), 0.45f, 147, noise);
        tom(b, s.at(bar, 3.5), 0.55f, 98, noise);
        if (bar >= 4) {
            hat(b, s.at(bar, 1), 0.25f, false, noise);
            hat(b, s.at(bar, 3), 0.25f, false, noise);
        }
    }
    // Brass stabs on the chord of each bar.
    const std::initializer_list<int> dm = {50, 53, 57}, bb = {46, 50, 53}, gm = {43, 46, 50}, a = {45, 49, 52};
    const std::initializer_list<int> chords[9] = {dm, dm, dm, dm, bb, dm, gm, a, a};
    for (int bar = 2; bar < 9; ++bar) {
        chord(b, s.at(bar, 0), s.beat * 0.45, chords[bar], Brass, 0.22f);
        chord(b, s.at(bar, 2.5), s.beat * 0.45, chords[bar], Brass, 0.18f);
        note(b, s.at(bar, 0), s.beat * 3.6, *chords[bar].begin() - 12, Bass, 0.5f);
    }
    melody(b, s, 4, {{0, 1, 62}, {1, 1, 69}, {2, 0.5, 69}, {2.5, 0.5, 70}, {3, 1, 69}}, Brass, 0.35f);
    melody(b, s, 5, {{0, 1, 65}, {1, 0.5, 67}, {1.5, 0.5, 69}, {2, 2, 62}}, Brass, 0.35f);
    melody(b, s, 6, {{0, 1, 62}, {1, 1, 69}, {2, 0.5, 72}, {2.5, 0.5, 70}, {3, 1, 69}}, Brass, 0.35f);
    melody(b, s, 7, {{0, 1, 67}, {1, 0.5, 65}, {1.5, 0.5, 64}, {2, 2, 62}}, Brass, 0.35f);
    melody(b, s, 8, {{0, 1, 69}, {1, 1, 70}, {2, 1, 72}, {3, 1, 73}}, Brass, 0.35f);
    // The last hit: the whole band on D.
    note(b, s.at(9), s.beat * 3, 74, Brass, 0.35f);
    chord(b, s.at(9), s.beat * 3, {50, 57, 62, 65}, Brass, 0.2f);
    note(b, s.at(9), s.beat * 3, 38, Bass, 0.6f);
    kick(b, s.at(9), 1.0f, noise);
    tom(b, s.at(9), 0.8f, 73, noise);
    crash(b, s.at(9), 0.35f, noise);
    fadeEnds(b, 0.005, 0.8);
    setLevel(b, themeLevel);
    return b;
}

// Brodek Kalver, blue with white stars and a golden mane: a bright march in
// G major, snare rolls and a square-wave anthem.
Buffer kalverTheme()
{
    Noise noise(0x5eed11);
    const Score s{60.0 / 126};
    Buffer b = silence(s.at(11) + 2.2);
    // A snare roll swelling into the march.
    for (int i = 0; i < 16; ++i)
        snare(b, s.at(0, i * 0.25), 0.15f + 0.5f * static_cast<float>(i) / 16, noise);
    crash(b, s.at(1), 0.3f, noise);
    for (int bar = 1; bar < 11; ++bar) {
        kick(b, s.at(bar, 0), 0.9f, noise);
        kick(b, s.at(bar, 2), 0.8f, noise);
        snare(b, s.at(bar, 1), 0.6f, noise);
        snare(b, s.at(bar, 3), 0.6f, noise);
        snare(b, s.at(bar, 3.5), 0.25f, noise);
        snare(b, s.at(bar, 3.75), 0.3f, noise);
        for (int e = 0; e < 8; ++e)
            hat(b, s.at(bar, e * 0.5), e % 2 ? 0.15f : 0.25f, false, noise);
    }
    crash(b, s.at(6), 0.3f, noise);
    // Bass on the beat, chords off it: G C G D | G C C-D G | D.
    const int roots[11] = {43, 43, 48, 43, 50, 43, 48, 48, 43, 50, 43};
    const std::initializer_list<int> g = {55, 59, 62}, c = {55, 60, 64}, d = {54, 57, 62};
    const std::initializer_list<int> chords[11] = {g, g, c, g, d, g, c, c, g, d, g};
    for (int bar = 1; bar < 11; ++bar) {
        note(b, s.at(bar, 0), s.beat * 0.9, roots[bar] - 12, Bass, 0.55f);
        note(b, s.at(bar, 2), s.beat * 0.9, roots[bar] - 5, Bass, 0.5f);
        chord(b, s.at(bar, 1), s.beat * 0.4, chords[bar], Brass, 0.12f);
        chord(b, s.at(bar, 3), s.beat * 0.4, chords[bar], Brass, 0.12f);
    }
    melody(b, s, 2, {{0, 1, 67}, {1, 1, 71}, {2, 1.5, 74}, {3.5, 0.5, 71}}, Lead, 0.22f);
    melody(b, s, 3, {{0, 1, 72}, {1, 1, 76}, {2, 2, 74}}, Lead, 0.22f);
    melody(b, s, 4, {{0, 1, 71}, {1, 1, 67}, {2, 1, 69}, {3, 1, 71}}, Lead, 0.22f);
    melody(b, s, 5, {{0, 3, 69}, {3, 1, 62}}, Lead, 0.22f);
    melody(b, s, 6, {{0, 1, 67}, {1, 1, 71}, {2, 1.5, 74}, {3.5, 0.5, 76}}, Lead, 0.22f);
    melody(b, s, 7, {{0, 1, 79}, {1, 1, 76}, {2, 2, 74}}, Lead, 0.22f);
    melody(b, s, 8, {{0, 1, 72}, {1, 1, 71}, {2, 1, 69}, {3, 1, 74}}, Lead, 0.22f);
    melody(b, s, 9, {{0, 3, 67}}, Lead, 0.22f);
    melody(b, s, 10, {{0, 0.5, 74}, {0.5, 0.5, 74}, {1, 0.5, 76}, {1.5, 0.5, 78}, {2, 2, 79}}, Lead, 0.22f);
    note(b, s.at(11), s.beat * 3, 79, Lead, 0.22f);
    chord(b, s.at(11), s.beat * 3, {55, 59, 62, 67}, Brass, 0.16f);
    note(b, s.at(11), s.beat * 3, 31, Bass, 0.6f);
    kick(b, s.at(11), 0.9f, noise);
    crash(b, s.at(11), 0.35f, noise);
    fadeEnds(b, 0.005, 0.6);
    setLevel(b, themeLevel);
    return b;
}

// Zorag, the grey giant in black and purple lightning: thunder, a low drone,
// slow heavy drums and a dark organ on a tritone.
Buffer zoragTheme()
{
    Noise noise(0x5eed12);
    const Score s{60.0 / 66};
    Buffer b = silence(s.at(6) + 3.2);
    note(b, 0, s.at(6) + 0.5, 36, Drone, 0.5f);
    for (int bar : {0, 3, 5})
        thunder(b, s.at(bar), 0.6f, noise);
    for (int bar = 1; bar < 6; ++bar) {
        kick(b, s.at(bar, 0), 1.0f, noise);
        kick(b, s.at(bar, 2), 0.9f, noise);
        tom(b, s.at(bar, 3.5), 0.6f, 62, noise);
        if (bar >= 2) {
            snare(b, s.at(bar, 1), 0.3f, noise);
            snare(b, s.at(bar, 3), 0.3f, noise);
        }
    }
    const std::initializer_list<int> cm = {48, 51, 55}, ab = {44, 48, 51}, fsdim = {42, 45, 48}, g = {43, 47, 50};
    const std::initializer_list<int> chords[6] = {cm, cm, ab, fsdim, g, cm};
    for (int bar = 1; bar < 6; ++bar)
        chord(b, s.at(bar), s.beat * 3.8, chords[bar], Organ, 0.12f);
    melody(b, s, 2, {{0, 2, 48}, {2, 1, 51}, {3, 1, 50}}, Brass, 0.3f);
    melody(b, s, 3, {{0, 1, 48}, {1, 1, 47}, {2, 2, 42}}, Brass, 0.3f);
    melody(b, s, 4, {{0, 2, 43}, {2, 1, 44}, {3, 1, 47}}, Brass, 0.3f);
    melody(b, s, 5, {{0, 4, 48}}, Brass, 0.3f);
    kick(b, s.at(6), 1.0f, noise);
    thunder(b, s.at(6), 0.7f, noise);
    chord(b, s.at(6), s.beat * 3, {36, 43, 48, 51}, Organ, 0.14f);
    fadeEnds(b, 0.005, 1.0);
    setLevel(b, themeLevel);
    return b;
}

// Davik Teskar, green with black flames and a snake down the arm: a snake's
// rattle, then fast distorted power chords in E.
Buffer teskarTheme()
{
    Noise noise(0x5eed13);
    const Score s{60.0 / 152};
    Buffer b = silence(s.at(13) + 2.0);
    for (int i = 0; i < 32; ++i) {
        const float swell = 0.2f + 0.6f * static_cast<float>(i) / 32;
        noiseHit(b, s.at(0, i * 0.25), swell, makeFilter(BandPass, 5000, 1.5), 0.03, noise, 0.01);
    }
    for (int i = 0; i < 8; ++i)
        snare(b, s.at(1, 2 + i * 0.25), 0.3f + 0.06f * static_cast<float>(i), noise);
    // Two-bar riffs of eighth notes: root per eighth.
    const int riffE[16] = {40, 40, 40, 40, 40, 40, 43, 45, 40, 40, 40, 40, 38, 38, 43, 42};
    const int sectionRoot[12] = {0, 0, 0, 0, 5, 5, 8, 10, 0, 0, 0, 0};
    for (int bar = 2; bar < 12; ++bar) {
        const int transpose = sectionRoot[bar];
        for (int e = 0; e < 8; ++e) {
            const int pitch = riffE[(bar % 2) * 8 + e] + transpose;
            note(b, s.at(bar, e * 0.5), s.beat * 0.35, pitch, Guitar, 0.2f);
        }
        kick(b, s.at(bar, 0), 0.9f, noise);
        kick(b, s.at(bar, 1.5), 0.6f, noise);
        kick(b, s.at(bar, 2), 0.9f, noise);
        snare(b, s.at(bar, 1), 0.7f, noise);
        snare(b, s.at(bar, 3), 0.7f, noise);
        for (int e = 0; e < 8; ++e)
            hat(b, s.at(bar, e * 0.5), e % 2 ? 0.15f : 0.25f, false, noise);
    }
    for (int bar : {2, 6, 8, 10})
        crash(b, s.at(bar), 0.3f, noise);
    for (int beat = 0; beat < 4; ++beat) {
        note(b, s.at(12, beat), s.beat * 0.8, 40, Guitar, 0.22f);
        kick(b, s.at(12, beat), 0.9f, noise);
        snare(b, s.at(12, beat + 0.5), 0.4f + 0.1f * static_cast<float>(beat), noise);
    }
    note(b, s.at(13), 1.6, 40, Guitar, 0.24f);
    kick(b, s.at(13), 1.0f, noise);
    crash(b, s.at(13), 0.4f, noise);
    fadeEnds(b, 0.005, 0.6);
    setLevel(b, themeLevel);
    return b;
}

void putBigEndian(std::string& out, uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

std::vector<GeneratedSound> buildSounds()
{
    return {
        {"punchface.aiff", toSamples(punchFace()), false},
        {"fall.aiff", toSamples(bodyFall()), false},
        {"bell.aiff", toSamples(ringBell()), false},
        {"crowd2.aiff", toSamples(crowdMurmur()), true},
        {"bigcrowd2.aiff", toSamples(bigCheer()), false},
        {"vorlan.aiff", toSamples(vorlanTheme()), false},
        {"kalver.aiff", toSamples(kalverTheme()), false},
        {"zorag.aiff", toSamples(zoragTheme()), false},
        {"teskar.aiff", toSamples(teskarTheme()), false},
    };
}

std::string aiffBytes(const std::vector<int16_t>& samples)
{
    const uint64_t frames = samples.size();
    const uint64_t soundBytes = 8 + 2 * frames;
    std::string out;
    out.reserve(54 + 2 * frames);
    out += "FORM";
    putBigEndian(out, 4 + (8 + 18) + (8 + soundBytes), 4);
    out += "AIFF";
    out += "COMM";
    putBigEndian(out, 18, 4);
    putBigEndian(out, 1, 2);                // channels
    putBigEndian(out, frames, 4);
    putBigEndian(out, 16, 2);               // bits a sample
    // The rate as an 80-bit extended float: exponent, then the mantissa with
    // its leading one explicit.
    int top = 31;
    while (!(static_cast<uint32_t>(soundRate) >> top & 1))
        --top;
    putBigEndian(out, 16383 + static_cast<uint64_t>(top), 2);
    putBigEndian(out, static_cast<uint64_t>(soundRate) << (63 - top), 8);
    out += "SSND";
    putBigEndian(out, soundBytes, 4);
    putBigEndian(out, 0, 4);                // offset
    putBigEndian(out, 0, 4);                // block size
    for (int16_t s : samples)
        putBigEndian(out, static_cast<uint16_t>(s), 2);
    return out;
}

void writeSounds(const std::string& dataDir)
{
    for (const GeneratedSound& sound : buildSounds()) {
        const std::string path = dataDir + "/" + sound.name;
        const std::string bytes = aiffBytes(sound.samples);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
            std::fprintf(stderr, "tarvok_data: cannot write %s\n", path.c_str());
            std::exit(1);
        }
        std::fclose(f);
    }
}
