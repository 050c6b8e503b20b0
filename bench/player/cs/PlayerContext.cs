// What the player chart's actions do to the outside world, as bench/player/PlayerContext.h:
// a tally per action id, the position, and a running hash of every call, so two machines
// that agree on the hash made the same calls in the same order.
public sealed class PlayerContext {
    internal const int IdCount = 32;

    internal readonly ulong[] counts = new ulong[IdCount];
    internal ulong hash = 0xcbf29ce484222325UL;
    internal int position = 0;

    public void count(int id) {
        if (id >= 0 && id < IdCount)
            ++counts[id];
        Mix((ulong)id);
    }

    public int pos() {
        return position;
    }

    public void advance(int n) {
        position += n;
        Mix(0x100UL + (ulong)n);
    }

    public void back(int n) {
        position -= n;
        Mix(0x200UL + (ulong)n);
    }

    public void rewind() {
        position = 0;
        Mix(0x300UL);
    }

    private void Mix(ulong v) {
        hash = unchecked((hash ^ v) * 0x100000001b3UL);
    }

    internal bool SameAs(PlayerContext other) {
        if (hash != other.hash || position != other.position)
            return false;
        for (int i = 0; i < IdCount; ++i)
            if (counts[i] != other.counts[i])
                return false;
        return true;
    }

    internal string Describe() {
        var s = new System.Text.StringBuilder(
            string.Format("pos {0}, hash {1:x16}, counts", position, hash));
        foreach (ulong c in counts)
            s.Append(' ').Append(c);
        return s.ToString();
    }
}
