#include "platform/binary_line.h"

namespace zav {

void MakeBinaryLine(termios& line, bool parityCheck, bool xonXoff)
{
    line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR |
                                           IGNCR | ICRNL | IUCLC | IXON | IXANY | IXOFF | IMAXBEL | IUTF8);
    line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    line.c_lflag &= ~static_cast<tcflag_t>(ISIG | ICANON | ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL | ECHOPRT |
                                           ECHOKE | IEXTEN | TOSTOP);
    line.c_cflag |= CREAD | CLOCAL;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (parityCheck) line.c_iflag |= INPCK;
    if (xonXoff) line.c_iflag |= IXON | IXOFF;
}

SerialParity ParityOf(const termios& line)
{
    if ((line.c_cflag & PARENB) == 0) return SerialParity::None;
    if ((line.c_cflag & CMSPAR) != 0) return (line.c_cflag & PARODD) != 0 ? SerialParity::Mark : SerialParity::Space;
    return (line.c_cflag & PARODD) != 0 ? SerialParity::Odd : SerialParity::Even;
}

bool ChecksParity(const termios& line)
{
    return (line.c_iflag & INPCK) != 0;
}

bool MakeBinaryLine(int fd, bool parityCheck, bool xonXoff)
{
    termios line{};
    if (tcgetattr(fd, &line) != 0) return false;
    MakeBinaryLine(line, parityCheck, xonXoff);
    return tcsetattr(fd, TCSANOW, &line) == 0;
}

} // namespace zav
