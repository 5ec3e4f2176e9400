"""MT19937 seeded with init_genrand; one draw uses two 32-bit outputs (53-bit value)."""


class Rng:
    N = 624
    M = 397

    def __init__(self, seed: int):
        self.seed(seed)

    def seed(self, seed: int) -> None:
        mt = [0] * self.N
        mt[0] = seed & 0xFFFFFFFF
        for i in range(1, self.N):
            mt[i] = (1812433253 * (mt[i - 1] ^ (mt[i - 1] >> 30)) + i) & 0xFFFFFFFF
        self.mt = mt
        self.mti = self.N

    def _twist(self) -> None:
        mt = self.mt
        n, m = self.N, self.M
        for i in range(n):
            y = (mt[i] & 0x80000000) | (mt[(i + 1) % n] & 0x7FFFFFFF)
            v = mt[(i + m) % n] ^ (y >> 1)
            if y & 1:
                v ^= 0x9908B0DF
            mt[i] = v
        self.mti = 0

    def next_u32(self) -> int:
        if self.mti >= self.N:
            self._twist()
        y = self.mt[self.mti]
        self.mti += 1
        y ^= y >> 11
        y ^= (y << 7) & 0x9D2C5680
        y ^= (y << 15) & 0xEFC60000
        y ^= y >> 18
        return y & 0xFFFFFFFF

    def draw(self) -> float:
        a = self.next_u32()
        b = self.next_u32()
        return ((a >> 5) * 67108864.0 + (b >> 6)) / 9007199254740992.0
