#include "PlayerContext.h"
#include "PlayerPeers.h"

namespace peer {
void count(PlayerLightContext& ctx, int id) {
    ctx.count(id);
}
int pos(const PlayerLightContext& ctx) {
    return ctx.pos();
}
void advance(PlayerLightContext& ctx, int n) {
    ctx.advance(n);
}
void back(PlayerLightContext& ctx, int n) {
    ctx.back(n);
}
void rewind(PlayerLightContext& ctx) {
    ctx.rewind();
}
} // namespace peer
