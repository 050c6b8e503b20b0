// What the player chart's actions do to the outside world, as bench/player/PlayerContext.h:
// a tally per action id, the position, and a running hash of every call, so two machines
// that agree on the hash made the same calls in the same order.
public final class PlayerContext {
    static final int ID_COUNT = 32;

    final long[] counts = new long[ID_COUNT];
    long hash = 0xcbf29ce484222325L;
    int pos = 0;

    public void count(int id) {
        if (id >= 0 && id < ID_COUNT)
            ++counts[id];
        mix(id);
    }

    public int pos() {
        return pos;
    }

    public void advance(int n) {
        pos += n;
        mix(0x100L + n);
    }

    public void back(int n) {
        pos -= n;
        mix(0x200L + n);
    }

    public void rewind() {
        pos = 0;
        mix(0x300L);
    }

    private void mix(long v) {
        hash = (hash ^ v) * 0x100000001b3L;
    }

    boolean sameAs(PlayerContext other) {
        return hash == other.hash && pos == other.pos
            && java.util.Arrays.equals(counts, other.counts);
    }

    String describe() {
        StringBuilder s = new StringBuilder(String.format("pos %d, hash %016x, counts", pos, hash));
        for (long c : counts)
            s.append(' ').append(c);
        return s.toString();
    }
}
