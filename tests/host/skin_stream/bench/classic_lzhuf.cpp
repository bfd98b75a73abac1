// The yardstick for the decoder's speed: a plain LZHUF decoder written the way the method was
// first published (1988): input one byte at a time through getc, the tree walked one bit per
// step, the frequency update searching linearly, output one byte at a time through putc. Same
// constants as skin/data/Lzh.h. Deliberately not optimised and not hardened: it is a baseline
// for whole-process timing and a second opinion on output, fed only our own generated inputs.
//
//   classic_lzhuf PACKED OUT     PACKED = 4-byte little-endian size, then the bit stream
#include <cstdio>

namespace {

constexpr int N = 4096;
constexpr int F = 60;
constexpr int THRESHOLD = 2;
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = N_CHAR * 2 - 1;
constexpr int R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

unsigned char text_buf[N + F - 1];
unsigned freq[T + 1];
int prnt[T + N_CHAR];
int son[T];
unsigned char d_code[256], d_len[256];

FILE* infile;
FILE* outfile;
unsigned getbuf = 0; // 16 bits used
int getlen = 0;

void MakePositionTables() {
    // Upper six bits of a position: 1 code of 32 first bytes (3 bits long), 3 of 16 (4 bits),
    // 8 of 8 (5), 12 of 4 (6), 24 of 2 (7), 16 of 1 (8).
    const int groups[6][2] = {{32, 1}, {16, 3}, {8, 8}, {4, 12}, {2, 24}, {1, 16}};
    int b = 0, code = 0;
    for (int g = 0; g < 6; g++)
        for (int v = 0; v < groups[g][1]; v++, code++)
            for (int r = 0; r < groups[g][0]; r++, b++) {
                d_code[b] = (unsigned char)code;
                d_len[b] = (unsigned char)(g + 3);
            }
}

int GetBit() {
    while (getlen <= 8) {
        int i = getc(infile);
        if (i < 0) i = 0;
        getbuf |= unsigned(i) << (8 - getlen);
        getlen += 8;
    }
    unsigned i = getbuf;
    getbuf = (getbuf << 1) & 0xFFFF;
    getlen--;
    return int((i >> 15) & 1);
}

int GetByte() {
    while (getlen <= 8) {
        int i = getc(infile);
        if (i < 0) i = 0;
        getbuf |= unsigned(i) << (8 - getlen);
        getlen += 8;
    }
    unsigned i = getbuf;
    getbuf = (getbuf << 8) & 0xFFFF;
    getlen -= 8;
    return int(i >> 8);
}

void StartHuff() {
    for (int i = 0; i < N_CHAR; i++) {
        freq[i] = 1;
        son[i] = i + T;
        prnt[i + T] = i;
    }
    int i = 0, j = N_CHAR;
    while (j <= R) {
        freq[j] = freq[i] + freq[i + 1];
        son[j] = i;
        prnt[i] = prnt[i + 1] = j;
        i += 2;
        j++;
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;
}

void Reconst() {
    // Collect the leaves, halving their counts.
    int j = 0;
    for (int i = 0; i < T; i++) {
        if (son[i] >= T) {
            freq[j] = (freq[i] + 1) / 2;
            son[j] = son[i];
            j++;
        }
    }
    // Rebuild the inner nodes by inserting each pair sum in order.
    for (int i = 0, k; j < T; i += 2, j++) {
        k = i + 1;
        unsigned f = freq[j] = freq[i] + freq[k];
        for (k = j - 1; f < freq[k]; k--) {
        }
        k++;
        for (int m = j; m > k; m--) {
            freq[m] = freq[m - 1];
            son[m] = son[m - 1];
        }
        freq[k] = f;
        son[k] = i;
    }
    for (int i = 0; i < T; i++) {
        int k = son[i];
        if (k >= T) {
            prnt[k] = i;
        } else {
            prnt[k] = prnt[k + 1] = i;
        }
    }
}

void Update(int c) {
    if (freq[R] == MAX_FREQ) Reconst();
    c = prnt[c + T];
    do {
        unsigned k = ++freq[c];
        int l = c + 1;
        if (k > freq[l]) {
            while (k > freq[++l]) {
            }
            l--;
            freq[c] = freq[l];
            freq[l] = k;

            int i = son[c];
            prnt[i] = l;
            if (i < T) prnt[i + 1] = l;

            int j = son[l];
            son[l] = i;

            prnt[j] = c;
            if (j < T) prnt[j + 1] = c;
            son[c] = j;

            c = l;
        }
    } while ((c = prnt[c]) != 0);
}

int DecodeChar() {
    int c = son[R];
    while (c < T) {
        c += GetBit();
        c = son[c];
    }
    c -= T;
    Update(c);
    return c;
}

int DecodePosition() {
    int i = GetByte();
    int c = d_code[i] << 6;
    int j = d_len[i] - 2;
    while (j--) i = (i << 1) + GetBit();
    return c | (i & 0x3F);
}

void Decode(long textsize) {
    StartHuff();
    for (int i = 0; i < N - F; i++) text_buf[i] = ' ';
    int r = N - F;
    for (long count = 0; count < textsize;) {
        int c = DecodeChar();
        if (c < 256) {
            putc(c, outfile);
            text_buf[r++] = (unsigned char)c;
            r &= N - 1;
            count++;
        } else {
            int i = (r - DecodePosition() - 1) & (N - 1);
            int j = c - 255 + THRESHOLD;
            for (int k = 0; k < j; k++) {
                c = text_buf[(i + k) & (N - 1)];
                putc(c, outfile);
                text_buf[r++] = (unsigned char)c;
                r &= N - 1;
                count++;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: classic_lzhuf PACKED OUT\n");
        return 2;
    }
    infile = std::fopen(argv[1], "rb");
    outfile = std::fopen(argv[2], "wb");
    if (!infile || !outfile) {
        std::fprintf(stderr, "classic_lzhuf: cannot open files\n");
        return 1;
    }
    long textsize = 0;
    for (int i = 0; i < 4; i++) {
        int b = getc(infile);
        if (b < 0) return 1;
        textsize |= long(b) << (8 * i);
    }
    textsize = long(int(unsigned(textsize))); // the size word is signed
    MakePositionTables();
    Decode(textsize);
    std::fclose(infile);
    return std::fclose(outfile) == 0 ? 0 : 1;
}
