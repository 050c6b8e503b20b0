// The player chart written by hand as one switch per event over the innermost active state,
// as bench/player/player_switch.h: the yardstick for the generated machine.
public sealed class PlayerSwitch {
    // Innermost active states, plus Playing, which is only ever remembered by On's history.
    private const int NONE = 0, OFF = 1, IDLE = 2, PLAYING = 3, NORMAL = 4, FAST_FORWARD = 5,
                      REWIND = 6, PAUSED = 7;

    private readonly PlayerContext ctx;
    private int state = NONE;
    private int history = NONE; // On's last direct sub-state

    public PlayerSwitch(PlayerContext ctx) {
        this.ctx = ctx;
    }

    public void Start() {
        if (state != NONE)
            return;
        ctx.count(0);
        state = OFF;
    }

    public void Power() {
        switch (state) {
        case OFF:
            ctx.count(1);
            ctx.count(16);
            enterOn();
            return;
        case IDLE:
            ctx.count(5);
            history = IDLE;
            break;
        case NORMAL:
            ctx.count(9);
            ctx.count(7);
            history = PLAYING;
            break;
        case FAST_FORWARD:
            ctx.count(11);
            ctx.count(7);
            history = PLAYING;
            break;
        case REWIND:
            ctx.count(13);
            ctx.count(7);
            history = PLAYING;
            break;
        case PAUSED:
            ctx.count(15);
            history = PAUSED;
            break;
        default:
            return;
        }
        ctx.count(3);
        ctx.count(17);
        ctx.rewind();
        ctx.count(0);
        state = OFF;
    }

    public void Play() {
        switch (state) {
        case OFF:
            ctx.count(1);
            ctx.count(21);
            enterOn();
            return;
        case IDLE:
            ctx.count(5);
            enterPlaying();
            return;
        case FAST_FORWARD:
            ctx.count(11);
            enterNormal();
            return;
        case REWIND:
            ctx.count(13);
            enterNormal();
            return;
        case PAUSED:
            ctx.count(15);
            enterPlaying();
            return;
        default:
            return;
        }
    }

    public void Pause() {
        if (!exitPlaying())
            return;
        ctx.count(14);
        state = PAUSED;
    }

    public void Stop() {
        if (state == PAUSED)
            ctx.count(15);
        else if (!exitPlaying())
            return;
        ctx.count(18);
        ctx.count(4);
        state = IDLE;
    }

    public void Seek() {
        if (state != NORMAL)
            return;
        ctx.count(9);
        if (ctx.pos() >= 50) {
            ctx.count(12);
            state = REWIND;
        } else {
            ctx.count(10);
            state = FAST_FORWARD;
        }
    }

    public void Tick() {
        switch (state) {
        case NORMAL:
            ctx.count(9);
            ctx.advance(1);
            ctx.count(8);
            return;
        case FAST_FORWARD:
            ctx.count(11);
            if (ctx.pos() >= 50) {
                ctx.count(19);
                enterNormal();
            } else {
                ctx.advance(10);
                ctx.count(10);
            }
            return;
        case REWIND:
            ctx.count(13);
            if (ctx.pos() >= 50) {
                ctx.back(10);
                ctx.count(12);
            } else {
                ctx.count(20);
                enterNormal();
            }
            return;
        default:
            return;
        }
    }

    // Default entry into On resumes the sub-state it was left in; Playing itself starts over.
    private void enterOn() {
        ctx.count(2);
        switch (history) {
        case PLAYING:
            enterPlaying();
            return;
        case PAUSED:
            ctx.count(14);
            state = PAUSED;
            return;
        default:
            ctx.count(4);
            state = IDLE;
            return;
        }
    }

    private void enterPlaying() {
        ctx.count(6);
        enterNormal();
    }

    private void enterNormal() {
        ctx.count(8);
        state = NORMAL;
    }

    // Leaves Playing from whichever of its sub-states is active; false when not in Playing.
    private bool exitPlaying() {
        switch (state) {
        case NORMAL:
            ctx.count(9);
            break;
        case FAST_FORWARD:
            ctx.count(11);
            break;
        case REWIND:
            ctx.count(13);
            break;
        default:
            return false;
        }
        ctx.count(7);
        return true;
    }
}
