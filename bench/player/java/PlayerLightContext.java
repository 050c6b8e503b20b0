// The light context, as PlayerLightContext in bench/player/PlayerContext.h: the same actions
// as plain increments, whose tallies and position still show that two machines did the same
// work.
public final class PlayerLightContext {
    final long[] counts = new long[PlayerContext.ID_COUNT];
    int pos = 0;

    public void count(int id) {
        if (id >= 0 && id < counts.length)
            ++counts[id];
    }

    public int pos() {
        return pos;
    }

    public void advance(int n) {
        pos += n;
    }

    public void back(int n) {
        pos -= n;
    }

    public void rewind() {
        pos = 0;
    }

    boolean sameWork(long[] otherCounts, int otherPos) {
        return pos == otherPos && java.util.Arrays.equals(counts, otherCounts);
    }
}
