// The light context, as PlayerLightContext in bench/player/PlayerContext.h: the same actions
// as plain increments, whose tallies and position still show that two machines did the same
// work.
public sealed class PlayerLightContext {
    internal readonly ulong[] counts = new ulong[PlayerContext.IdCount];
    internal int position = 0;

    public void count(int id) {
        if (id >= 0 && id < PlayerContext.IdCount)
            ++counts[id];
    }

    public int pos() {
        return position;
    }

    public void advance(int n) {
        position += n;
    }

    public void back(int n) {
        position -= n;
    }

    public void rewind() {
        position = 0;
    }

    internal bool SameWork(ulong[] otherCounts, int otherPosition) {
        if (position != otherPosition)
            return false;
        for (int i = 0; i < PlayerContext.IdCount; ++i)
            if (counts[i] != otherCounts[i])
                return false;
        return true;
    }
}
