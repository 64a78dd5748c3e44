#include <cstdio>

int main()
{
    std::fputs("usage: quorvel-cli COMMAND [options]\n", stderr);
    return 2;
}
