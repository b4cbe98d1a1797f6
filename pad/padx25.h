/* libpadx25: drives a serial port, a Hayes modem and an X.25 PAD (X.28) to
 * reach the bank's host. All texts are zero-terminated. The two packet calls
 * report success with 0, every other call with non-zero. One connection per
 * process; calls block until the modem, the PAD or their deadline answers. */
#ifndef LUMVEX_PAD_PADX25_H
#define LUMVEX_PAD_PADX25_H

#if defined(__GNUC__)
#define PADX25_API __attribute__((visibility("default")))
#else
#define PADX25_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* port "COM1".."COMn" (environment PADX25_COMn overrides the device, which
 * may be a path or "tcp:HOST:PORT"), speed "9600" or "14400", parity "n",
 * data bits "8", stop bits "1". */
PADX25_API int OpenPadX25(const char* port, const char* speed, const char* parity,
                          const char* dataBits, const char* stopBits);
PADX25_API int InitPadX25(void);
/* dial: the modem's dial command ending in CR. answer: at least 100 bytes;
 * on failure it holds "\r\n<modem result>\r\n". */
PADX25_API int BindPadX25(const char* dial, char* answer);
PADX25_API int bStatPadX25(void);
/* address: the host's X.121 address followed by CR. */
PADX25_API int LinkPadX25(const char* address);
PADX25_API int aStatPadX25(void);
/* Sends count bytes and ETX within waitSeconds. 0 when sent. */
PADX25_API int spkt_padx25(const char* request, int count, int waitSeconds);
/* Receives one reply packet within waitSeconds. On entry *length is the
 * capacity of reply; at most capacity - 1 bytes are stored, then a zero.
 * 0 when a whole reply was stored; *length then holds its size. */
PADX25_API int rpkt_padx25(char* reply, int* length, int waitSeconds);
/* Clears the call, hangs up and closes the port; non-zero once closed. */
PADX25_API int ShutPadX25(void);

#ifdef __cplusplus
}
#endif

#endif
