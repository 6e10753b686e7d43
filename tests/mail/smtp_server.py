#!/usr/bin/python3
"""A real SMTP server for the mail tests (aiosmtpd).

Listens on 127.0.0.1 on a free port, prints that port on the first line of standard output and
runs until standard input closes; in mode stall-data it prints a line "DATA" each time it
holds a client there. Every message it accepts is written to the output folder as
<n>.eml (the bytes received) and <n>.json: the envelope, the TLS used, the AUTH mechanism and
user, the headers (as written, encoded words decoded) and the parts as Python's email parser
decodes them; each decoded part is also written as <n>-<k>.part so that files can be compared
byte for byte.
"""

import argparse
import asyncio
import base64
import email
import email.policy
import hmac
import json
import logging
import os
import re
import ssl
import struct
import sys
from email.header import decode_header, make_header

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def arguments():
    p = argparse.ArgumentParser()
    p.add_argument("--out", required=True, help="folder for the received messages")
    p.add_argument("--tls", choices=["none", "starttls", "implicit"], default="none")
    p.add_argument("--cert", help="certificate chain (PEM) of the server")
    p.add_argument("--key", help="private key (PEM) of the server")
    p.add_argument("--user", help="the one accepted user; without it AUTH is not offered")
    p.add_argument("--password", default="")
    p.add_argument("--mechanism", action="append", default=[],
                   help="offer only these (PLAIN, LOGIN, NTLM); by default PLAIN and LOGIN")
    p.add_argument("--mode", default="normal",
                   choices=["normal", "silent", "stall-data", "drop-data", "reject-rcpt"])
    p.add_argument("--reject", action="append", default=[], help="address refused at RCPT")
    return p.parse_args()


def decoded(value):
    """A header as written, unfolded, its encoded words decoded (also those in comments)."""
    return str(make_header(decode_header(re.sub(r"\r?\n[ \t]", " ", value))))


def structure(part):
    """multipart/mixed[multipart/alternative[text/plain,text/html],application/pdf]"""
    if part.is_multipart():
        return part.get_content_type() + "[" + ",".join(structure(p) for p in part.get_payload()) + "]"
    return part.get_content_type()


def md4(data):
    """RFC 1320; OpenSSL 3 no longer offers MD4 to hashlib, and NTLM hashes with it."""
    def rotl(x, n):
        return ((x << n) | (x >> (32 - n))) & 0xFFFFFFFF
    msg = data + b"\x80" + b"\0" * ((55 - len(data)) % 64) + struct.pack("<Q", len(data) * 8)
    h = [0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476]
    rounds = [
        (lambda x, y, z: (x & y) | (~x & z), 0, [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15], [3, 7, 11, 19]),
        (lambda x, y, z: (x & y) | (x & z) | (y & z), 0x5A827999,
         [0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15], [3, 5, 9, 13]),
        (lambda x, y, z: x ^ y ^ z, 0x6ED9EBA1, [0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15], [3, 9, 11, 15]),
    ]
    for block in range(0, len(msg), 64):
        x = struct.unpack("<16I", msg[block:block + 64])
        a, b, c, d = h
        for f, k, order, shifts in rounds:
            for i, j in enumerate(order):
                a = rotl((a + f(b, c, d) + x[j] + k) & 0xFFFFFFFF, shifts[i % 4])
                a, b, c, d = d, a, b, c
        h = [(v + w) & 0xFFFFFFFF for v, w in zip(h, [a, b, c, d])]
    return struct.pack("<4I", *h)


class Ntlm:
    """NTLM as an SMTP AUTH mechanism: checks the NTLMSSP messages and the NTLMv2 proof of the
    password (RFC-less, as Microsoft's MS-NLMP describes it)."""

    def __init__(self, args):
        self.args = args

    async def auth_NTLM(self, server, args):
        negotiate = base64.b64decode(args[1]) if len(args) > 1 else await server.challenge_auth(b"")
        if not isinstance(negotiate, bytes) or negotiate[:8] != b"NTLMSSP\0" or negotiate[8:12] != struct.pack("<I", 1):
            return AuthResult(success=False, handled=False, message="501 5.7.0 Not an NTLM negotiate message")
        challenge = os.urandom(8)
        authenticate = await server.challenge_auth(self.challenge_message(challenge))
        if not isinstance(authenticate, bytes) or authenticate[:8] != b"NTLMSSP\0" \
                or authenticate[8:12] != struct.pack("<I", 3):
            return AuthResult(success=False, handled=False, message="501 5.7.0 Not an NTLM authenticate message")
        user, ok = self.check(authenticate, challenge)
        server.session.mechanism = "NTLM"
        return AuthResult(success=ok, handled=False, auth_data=LoginPassword(user.encode(), b"") if ok else None)

    @staticmethod
    def challenge_message(challenge):
        target = "TEST".encode("utf-16-le")
        info = struct.pack("<HH", 2, len(target)) + target + struct.pack("<HH", 0, 0)
        flags = 0x00000001 | 0x00000004 | 0x00000200 | 0x00080000 | 0x00800000  # unicode, target, NTLM, ESS, info
        header_size = 48
        return (b"NTLMSSP\0" + struct.pack("<I", 2) + struct.pack("<HHI", len(target), len(target), header_size)
                + struct.pack("<I", flags) + challenge + b"\0" * 8
                + struct.pack("<HHI", len(info), len(info), header_size + len(target)) + target + info)

    def check(self, message, challenge):
        def field(offset):
            length, _, start = struct.unpack("<HHI", message[offset:offset + 8])
            return message[start:start + length]
        nt_response, domain, user = field(20), field(28).decode("utf-16-le"), field(36).decode("utf-16-le")
        if len(nt_response) <= 24:
            return user, False  # NTLMv1: not accepted
        key = hmac.new(md4(self.args.password.encode("utf-16-le")),
                       (user.upper() + domain).encode("utf-16-le"), "md5").digest()
        proof = hmac.new(key, challenge + nt_response[16:], "md5").digest()
        return user, user == self.args.user and hmac.compare_digest(proof, nt_response[:16])


class Handler(Ntlm):
    def __init__(self, args):
        super().__init__(args)
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.args.mode == "reject-rcpt" and address.lower() in (a.lower() for a in self.args.reject):
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.args.out, str(self.count))
        raw = envelope.original_content
        with open(base + ".eml", "wb") as f:
            f.write(raw)
        message = email.message_from_bytes(raw, policy=email.policy.default)
        parts = []
        for k, part in enumerate(p for p in message.walk() if not p.is_multipart()):
            payload = part.get_payload(decode=True) or b""
            with open("%s-%d.part" % (base, k), "wb") as f:
                f.write(payload)
            entry = {
                "content_type": part.get_content_type(),
                "charset": part.get_content_charset(),
                "encoding": part.get("Content-Transfer-Encoding"),
                "disposition": part.get_content_disposition(),
                "filename": part.get_filename(),
                "content_id": part.get("Content-ID"),
                "file": "%s-%d.part" % (base, k),
            }
            if part.get_content_maintype() == "text":
                entry["text"] = part.get_content().replace("\r\n", "\n")
            parts.append(entry)
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": server.tls_used(),
            "mechanism": getattr(session, "mechanism", None),
            "user": session.auth_data.login.decode() if session.auth_data else None,
            "headers": [[name, decoded(value)] for name, value in message.raw_items()],
            "structure": structure(message),
            "parts": parts,
        }
        with open(base + ".json", "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False, indent=1)
        return "250 2.0.0 Ok: queued as %d" % self.count


class TestSMTP(SMTP):
    """aiosmtpd's server with the misbehaviours the tests need."""

    def __init__(self, handler, args, **kwargs):
        super().__init__(handler, **kwargs)
        self.args = args

    def tls_used(self):
        if self.args.tls == "implicit":
            return "implicit"
        return "starttls" if self._tls_protocol is not None else "none"

    async def smtp_DATA(self, arg):
        if self.args.mode == "stall-data":
            await self.push("354 End data with <CR><LF>.<CR><LF>")
            print("DATA", flush=True)  # a test may now act on the client it holds
            await asyncio.Future()  # neither reads nor answers again
        elif self.args.mode == "drop-data":
            await self.push("354 End data with <CR><LF>.<CR><LF>")
            self.transport.close()
        else:
            await super().smtp_DATA(arg)


class Silent(asyncio.Protocol):
    """Takes the connection and never says a word."""


def authenticator(args):
    def check(server, session, envelope, mechanism, auth_data):
        session.mechanism = mechanism
        ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == args.user \
            and auth_data.password.decode() == args.password
        return AuthResult(success=ok, handled=False, auth_data=auth_data if ok else None)
    return check


async def serve(args):
    context = None
    if args.tls != "none":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)
    handler = Handler(args)
    loop = asyncio.get_running_loop()

    def protocol():
        if args.mode == "silent":
            return Silent()
        # Without a user, "requiring TLS" for AUTH keeps AUTH out of the plain EHLO answer.
        options = dict(hostname="mail.test", data_size_limit=None, decode_data=False,
                       auth_require_tls=not args.user)
        if args.tls == "starttls":
            options["tls_context"] = context
        if args.user:
            options["authenticator"] = authenticator(args)
        offered = (args.mechanism or ["PLAIN", "LOGIN"]) if args.user else []
        options["auth_exclude_mechanism"] = [m for m in ("PLAIN", "LOGIN", "NTLM") if m not in offered]
        return TestSMTP(handler, args, **options)

    server = await loop.create_server(protocol, "127.0.0.1", 0,
                                      ssl=context if args.tls == "implicit" else None)
    print(server.sockets[0].getsockname()[1], flush=True)
    # Ends when the test closes our standard input.
    await loop.run_in_executor(None, sys.stdin.buffer.read)
    server.close()


if __name__ == "__main__":
    # aiosmtpd's notes (its own deprecations, a TLS hello on a plain port) are no test output.
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    asyncio.run(serve(arguments()))
