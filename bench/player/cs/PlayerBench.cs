// The machine tvc2cs generates for the player chart against the same chart written by hand as
// a switch, on the event sequence of bench/player_bench.cpp (mt19937 seeded 20240611, the same
// weights). Both run after a warm-up; afterwards their contexts must agree, so the timings
// compare the same work.
//
//   mono player_bench.exe                    time both, print ns per event and the ratio
//   mono player_bench.exe --equivalence-only only check that they make the same calls

using System;
using System.Diagnostics;

public static class PlayerBench {
    const byte POWER = 0, PLAY = 1, PAUSE = 2, STOP = 3, SEEK = 4, TICK = 5;

    // std::mt19937, whose output the C++ standard fixes.
    sealed class Mt19937 {
        private readonly uint[] mt = new uint[624];
        private int index = 624;

        public Mt19937(uint seed) {
            mt[0] = seed;
            for (uint i = 1; i < 624; ++i)
                mt[i] = unchecked(1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + i);
        }

        public uint Next() {
            if (index == 624) {
                for (int i = 0; i < 624; ++i) {
                    uint y = (mt[i] & 0x80000000u) | (mt[(i + 1) % 624] & 0x7fffffffu);
                    mt[i] = mt[(i + 397) % 624] ^ (y >> 1) ^ ((y & 1) != 0 ? 0x9908b0dfu : 0u);
                }
                index = 0;
            }
            uint r = mt[index++];
            r ^= r >> 11;
            r ^= (r << 7) & 0x9d2c5680u;
            r ^= (r << 15) & 0xefc60000u;
            return r ^ (r >> 18);
        }
    }

    static byte[] EventSequence(int n) {
        byte[] weighted = {POWER, PLAY, PLAY, PLAY, PLAY, PLAY, PAUSE, PAUSE, PAUSE, STOP, STOP,
                           STOP, SEEK, SEEK, SEEK, SEEK, SEEK, TICK, TICK, TICK, TICK, TICK,
                           TICK, TICK, TICK, TICK, TICK, TICK, TICK, TICK, TICK, TICK};
        var gen = new Mt19937(20240611u);
        var events = new byte[n];
        for (int i = 0; i < n; ++i)
            events[i] = weighted[gen.Next() & 31];
        return events;
    }

    // One loop per machine class rather than one over an interface: every call stays direct,
    // as in a program that drives one machine, so the JIT times the machine, not dispatch.
    static PlayerContext RunGenerated(byte[] events) {
        var ctx = new PlayerContext();
        var m = new PlayerTN(ctx);
        m.Start();
        foreach (byte e in events) {
            switch (e) {
            case POWER: m.Power(); break;
            case PLAY: m.Play(); break;
            case PAUSE: m.Pause(); break;
            case STOP: m.Stop(); break;
            case SEEK: m.Seek(); break;
            default: m.Tick(); break;
            }
        }
        return ctx;
    }

    static PlayerContext RunSwitch(byte[] events) {
        var ctx = new PlayerContext();
        var m = new PlayerSwitch(ctx);
        m.Start();
        foreach (byte e in events) {
            switch (e) {
            case POWER: m.Power(); break;
            case PLAY: m.Play(); break;
            case PAUSE: m.Pause(); break;
            case STOP: m.Stop(); break;
            case SEEK: m.Seek(); break;
            default: m.Tick(); break;
            }
        }
        return ctx;
    }

    static PlayerLightContext RunGeneratedLight(byte[] events) {
        var ctx = new PlayerLightContext();
        var m = new PlayerLightTN(ctx);
        m.Start();
        foreach (byte e in events) {
            switch (e) {
            case POWER: m.Power(); break;
            case PLAY: m.Play(); break;
            case PAUSE: m.Pause(); break;
            case STOP: m.Stop(); break;
            case SEEK: m.Seek(); break;
            default: m.Tick(); break;
            }
        }
        return ctx;
    }

    static PlayerLightContext RunSwitchLight(byte[] events) {
        var ctx = new PlayerLightContext();
        var m = new PlayerLightSwitch(ctx);
        m.Start();
        foreach (byte e in events) {
            switch (e) {
            case POWER: m.Power(); break;
            case PLAY: m.Play(); break;
            case PAUSE: m.Pause(); break;
            case STOP: m.Stop(); break;
            case SEEK: m.Seek(); break;
            default: m.Tick(); break;
            }
        }
        return ctx;
    }

    static bool Equivalent(byte[] events, bool verbose) {
        PlayerContext generated = RunGenerated(events);
        PlayerContext handWritten = RunSwitch(events);
        PlayerLightContext generatedLight = RunGeneratedLight(events);
        PlayerLightContext handWrittenLight = RunSwitchLight(events);
        bool same = generated.SameAs(handWritten) &&
                    generatedLight.SameWork(handWritten.counts, handWritten.position) &&
                    handWrittenLight.SameWork(handWritten.counts, handWritten.position);
        if (verbose || !same) {
            Console.WriteLine("generated " + generated.Describe());
            Console.WriteLine("switch    " + handWritten.Describe());
        }
        return same;
    }

    public static int Main(string[] args) {
        if (args.Length == 1 && args[0] == "--equivalence-only") {
            bool ok = Equivalent(EventSequence(100000), false);
            Console.WriteLine("player equivalence over 100000 events: " +
                              (ok ? "same calls" : "DIFFERENT"));
            return ok ? 0 : 1;
        }
        byte[] events = EventSequence(1000000);
        // Warm-up: let the JIT compile both before anything is timed.
        for (int i = 0; i < 5; ++i) {
            RunGenerated(events);
            RunSwitch(events);
            RunGeneratedLight(events);
            RunSwitchLight(events);
        }
        // Interleaved rounds, the best of each: the least disturbed by other work.
        double bestGenerated = double.MaxValue, bestSwitch = double.MaxValue;
        double bestGeneratedLight = double.MaxValue, bestSwitchLight = double.MaxValue;
        var watch = new Stopwatch();
        for (int i = 0; i < 15; ++i) {
            watch.Restart();
            RunGenerated(events);
            bestGenerated = Math.Min(bestGenerated, watch.Elapsed.TotalMilliseconds);
            watch.Restart();
            RunSwitch(events);
            bestSwitch = Math.Min(bestSwitch, watch.Elapsed.TotalMilliseconds);
            watch.Restart();
            RunGeneratedLight(events);
            bestGeneratedLight = Math.Min(bestGeneratedLight, watch.Elapsed.TotalMilliseconds);
            watch.Restart();
            RunSwitchLight(events);
            bestSwitchLight = Math.Min(bestSwitchLight, watch.Elapsed.TotalMilliseconds);
        }
        double n = events.Length;
        Console.WriteLine(string.Format(
            "C# generated {0:F2} ns/event, switch {1:F2} ns/event, ratio {2:F2}x",
            bestGenerated * 1e6 / n, bestSwitch * 1e6 / n, bestGenerated / bestSwitch));
        Console.WriteLine(string.Format(
            "C# generated light {0:F2} ns/event, switch light {1:F2} ns/event, ratio {2:F2}x",
            bestGeneratedLight * 1e6 / n, bestSwitchLight * 1e6 / n,
            bestGeneratedLight / bestSwitchLight));
        if (!Equivalent(events, true)) {
            Console.Error.WriteLine("PlayerBench: the timings above compare different work");
            return 1;
        }
        return 0;
    }
}
