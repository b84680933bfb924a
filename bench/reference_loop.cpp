// A plain program that writes the listing of the full system of 1..N with six nested loops: the
// yardstick for the whole-process figures of sestara-cli.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

int main(int argc, char** argv)
{
    const int n = argc > 1 ? std::atoi(argv[1]) : 35;
    static char buffer[1 << 16];
    std::size_t used = 0;
    long k = 0;
    auto put = [&](long value) {
        used = static_cast<std::size_t>(std::to_chars(buffer + used, buffer + sizeof buffer, value).ptr - buffer);
    };
    for (int a = 1; a <= n - 5; ++a)
        for (int b = a + 1; b <= n - 4; ++b)
            for (int c = b + 1; c <= n - 3; ++c)
                for (int d = c + 1; d <= n - 2; ++d)
                    for (int e = d + 1; e <= n - 1; ++e)
                        for (int f = e + 1; f <= n; ++f) {
                            put(++k);
                            for (char ch : {'\t', '>', ' ', ' ', ' '})
                                buffer[used++] = ch;
                            const int col[6] = {a, b, c, d, e, f};
                            for (int i = 0; i < 6; ++i) {
                                if (i > 0)
                                    buffer[used++] = '-';
                                put(col[i]);
                            }
                            buffer[used++] = '\r';
                            buffer[used++] = '\n';
                            if (used > sizeof buffer - 64) {
                                std::fwrite(buffer, 1, used, stdout);
                                used = 0;
                            }
                        }
    std::fwrite(buffer, 1, used, stdout);
    return 0;
}
