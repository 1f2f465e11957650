#!/usr/bin/python3
"""A stand-in of Google's OAuth 2.0 endpoints for installed applications, and
of a DAV address book that takes only the bearer tokens it issued.

  /auth   the authorisation endpoint: answers with a redirect to the
          redirect_uri carrying a code and the state (the user consents at
          once); "deny" in the login_hint gives error=access_denied.
  /token  the token endpoint: the authorization_code grant (checks the
          client, the redirect_uri and the PKCE code_verifier against the
          S256 code_challenge; a code is good once) and the refresh_token
          grant; errors as JSON {"error": ...} with status 400.
  /dav/book/   an address book of two cards that refuses the
               addressbook-query REPORT, so a client lists it and asks for
               a multiget.
  /dav/plain/  the same cards behind a server that takes no REPORT at all,
               so a client lists them and reads each on its own.
  /dav/cal/    a calendar of one event and one task that takes no REPORT.

Usage: oauth_standin.py PORTFILE CLIENT_ID [CLIENT_SECRET]
The chosen port is written to PORTFILE once the server listens.
"""
import base64
import hashlib
import http.server
import json
import secrets
import sys
import urllib.parse

CLIENT_ID = sys.argv[2]
CLIENT_SECRET = sys.argv[3] if len(sys.argv) > 3 else ""
codes = {}          # code -> (challenge, redirect_uri, offline)
refresh_tokens = set()
access_tokens = set()

CARDS = {
    "/dav/book/one.vcf": "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:one\r\nFN:Ada One\r\nN:One;Ada;;;\r\nEND:VCARD\r\n",
    "/dav/book/two.vcf": "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:two\r\nFN:Bo Two\r\nN:Two;Bo;;;\r\nEND:VCARD\r\n",
}

OBJECTS = dict(CARDS)
OBJECTS["/dav/cal/e1.ics"] = ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:e1\r\n"
                              "DTSTART:20240105T093000Z\r\nSUMMARY:Event\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
OBJECTS["/dav/cal/t1.ics"] = ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:t1\r\n"
                              "SUMMARY:Task\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")


def s256(verifier):
    digest = hashlib.sha256(verifier.encode("ascii")).digest()
    return base64.urlsafe_b64encode(digest).decode("ascii").rstrip("=")


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send(self, status, body, ctype="application/json", extra=None):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(data)))
        for name, value in (extra or {}).items():
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(data)

    def body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length).decode("utf-8") if length else ""

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/auth":
            q = dict(urllib.parse.parse_qsl(url.query))
            redirect = q.get("redirect_uri", "")
            if not redirect.startswith("http://127.0.0.1:"):
                return self.send(400, "redirect_uri must be a loopback address", "text/plain")
            if q.get("client_id") != CLIENT_ID or q.get("response_type") != "code":
                return self.send(400, "invalid_request", "text/plain")
            if q.get("code_challenge_method") != "S256" or not q.get("code_challenge"):
                return self.send(400, "PKCE S256 required", "text/plain")
            if "deny" in q.get("login_hint", ""):
                target = redirect + "?" + urllib.parse.urlencode({"error": "access_denied", "state": q.get("state", "")})
            else:
                code = "4/" + secrets.token_urlsafe(24)
                codes[code] = (q["code_challenge"], redirect, q.get("access_type") == "offline")
                target = redirect + "?" + urllib.parse.urlencode(
                    {"state": q.get("state", ""), "code": code, "scope": q.get("scope", "")})
            return self.send(302, "", "text/plain", {"Location": target})
        if url.path.startswith("/dav/"):
            if not self.authorised():
                return
            if url.path in OBJECTS:
                return self.send(200, OBJECTS[url.path], "text/vcard")
            return self.send(404, "", "text/plain")
        self.send(404, "", "text/plain")

    def do_POST(self):
        if self.path != "/token":
            return self.send(404, "", "text/plain")
        form = dict(urllib.parse.parse_qsl(self.body()))
        if self.headers.get("Content-Type", "").split(";")[0] != "application/x-www-form-urlencoded":
            return self.send(400, json.dumps({"error": "invalid_request"}))
        if form.get("client_id") != CLIENT_ID or form.get("client_secret", "") != CLIENT_SECRET:
            return self.send(401, json.dumps({"error": "invalid_client", "error_description": "Unauthorized"}))
        grant = form.get("grant_type")
        if grant == "authorization_code":
            entry = codes.pop(form.get("code", ""), None)
            if entry is None or entry[1] != form.get("redirect_uri"):
                return self.send(400, json.dumps({"error": "invalid_grant", "error_description": "Bad Request"}))
            if s256(form.get("code_verifier", "")) != entry[0]:
                return self.send(400, json.dumps({"error": "invalid_grant",
                                                  "error_description": "Invalid code verifier."}))
            answer = {"access_token": "ya29." + secrets.token_urlsafe(16), "expires_in": 3599,
                      "scope": "https://www.googleapis.com/auth/carddav", "token_type": "Bearer"}
            if entry[2]:
                answer["refresh_token"] = "1//" + secrets.token_urlsafe(24)
                refresh_tokens.add(answer["refresh_token"])
            access_tokens.add(answer["access_token"])
            return self.send(200, json.dumps(answer))
        if grant == "refresh_token":
            if form.get("refresh_token") not in refresh_tokens:
                return self.send(400, json.dumps({"error": "invalid_grant",
                                                  "error_description": "Token has been expired or revoked."}))
            answer = {"access_token": "ya29." + secrets.token_urlsafe(16), "expires_in": 3599,
                      "scope": "https://www.googleapis.com/auth/carddav", "token_type": "Bearer"}
            access_tokens.add(answer["access_token"])
            return self.send(200, json.dumps(answer))
        return self.send(400, json.dumps({"error": "unsupported_grant_type"}))

    def authorised(self):
        value = self.headers.get("Authorization", "")
        if value.startswith("Bearer ") and value[7:] in access_tokens:
            return True
        self.send(401, "", "text/plain", {"WWW-Authenticate": "Bearer"})
        return False

    def multistatus(self, responses):
        self.send(207, '<?xml version="1.0"?><D:multistatus xmlns:D="DAV:">' + "".join(responses) +
                  "</D:multistatus>", "application/xml; charset=utf-8")

    def do_PROPFIND(self):
        self.body()
        if not self.authorised():
            return
        path = urllib.parse.urlsplit(self.path).path
        calendar = path.startswith("/dav/cal/")
        kind = ('<C:calendar xmlns:C="urn:ietf:params:xml:ns:caldav"/>' if calendar
                else '<C:addressbook xmlns:C="urn:ietf:params:xml:ns:carddav"/>')
        book = ('<D:response><D:href>' + esc(path) + '</D:href><D:propstat><D:prop><D:resourcetype><D:collection/>' +
                kind + '</D:resourcetype>'
                '<D:displayname>Contacts</D:displayname></D:prop><D:status>HTTP/1.1 200 OK</D:status>'
                '</D:propstat></D:response>')
        if self.headers.get("Depth") == "0":
            return self.multistatus([book])
        hrefs = [h for h in OBJECTS if h.startswith("/dav/cal/") == calendar]
        members = ['<D:response><D:href>%s</D:href><D:propstat><D:prop><D:resourcetype/><D:getetag>"1"'
                   '</D:getetag></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>' % href
                   for href in hrefs]
        self.multistatus([book] + members)

    def do_REPORT(self):
        text = self.body()
        if not self.authorised():
            return
        if "addressbook-multiget" not in text or self.path.startswith("/dav/plain/"):
            return self.send(501, "", "text/plain")
        hrefs = [urllib.parse.unquote(h.split("</")[0]) for h in text.split("href>")[1::2]]
        out = []
        for href in hrefs:
            path = urllib.parse.urlsplit(href).path
            if path in CARDS:
                out.append('<D:response><D:href>%s</D:href><D:propstat><D:prop><C:address-data '
                           'xmlns:C="urn:ietf:params:xml:ns:carddav">%s</C:address-data></D:prop>'
                           '<D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>' % (path, esc(CARDS[path])))
            else:
                out.append('<D:response><D:href>%s</D:href><D:status>HTTP/1.1 404 Not Found</D:status>'
                           '</D:response>' % esc(path))
        self.multistatus(out)


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(sys.argv[1] + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
import os
os.rename(sys.argv[1] + ".tmp", sys.argv[1])
server.serve_forever()
