#!/usr/bin/python3
"""A stand-in of the Act! Web API (act.web.api) for tests, on the loopback
interface, with the published paths, JSON fields and OData paging.

Usage: act_webapi.py SEED PORTFILE [PORT]
  SEED      a JSON file (below) with the records the server holds
  PORTFILE  the port is written there once the server listens
  PORT      the port to listen on; 0 or absent: a free one

Endpoints, below the base path "/act.web.api":
  GET /authorize      HTTP Basic (user name and password) and the header
                      "Act-Database-Name"; answers the bearer token as text.
                      401 for a wrong user, password or database, with the
                      body {"Message": authMessage} when the seed has one.
  GET /api/contacts                  the seed's "contacts"
  GET /api/activities                the seed's "activities"
  GET /api/opportunities             the seed's "opportunities"
  GET /api/notes                     the seed's "notes"
  GET /api/opportunities/{id}/notes  the seed's "opportunityNotes"[id]
Every /api request needs "Authorization: Bearer <token>" with a token this
server issued (else 401). Lists answer a JSON array, paged with $top and
$skip (all records without $top; at most "maxTop" per page when the seed
sets it; always the first page when "ignoreSkip" is true, as a server
that does not page); other query options ("format", ...) are taken and ignored.

Seed (every key optional):
  {"database": "Sales", "users": {"chris": "secret"},
   "authMessage": "text of a refused log-in",
   "contacts": [...], "activities": [...], "opportunities": [...],
   "notes": [...], "opportunityNotes": {"opp-id": [...notes]},
   "maxTop": 50, "ignoreSkip": false,
   "slow": {"path": "/api/contacts", "skip": 100, "seconds": 5},
   "fail": {"path": "/api/notes", "status": 500, "body": "{...}"}}
Records are the API's own JSON objects (fields as the Act! Web API names
them: "firstName", "businessAddress": {"line1": ...}, "startTime": an ISO
8601 UTC time, "recurSpec": {...}, ...). "slow" delays the page that starts
at "skip" of "path"; "fail" answers every request to "path" with "status".
Each request is logged to standard output as "METHOD PATH STATUS", without
any credential or token.
"""
import base64
import http.server
import json
import os
import secrets
import socketserver
import sys
import time
import urllib.parse

BASE = "/act.web.api"

with open(sys.argv[1], encoding="utf-8") as seed_file:
    SEED = json.load(seed_file)
TOKENS = set()

LISTS = {
    "/api/contacts": "contacts",
    "/api/activities": "activities",
    "/api/opportunities": "opportunities",
    "/api/notes": "notes",
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send(self, status, body, ctype="application/json; charset=utf-8"):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(data)))
        if status == 401:
            self.send_header("WWW-Authenticate", 'Basic realm="act.web.api"')
        self.end_headers()
        self.wfile.write(data)
        print(self.command, urllib.parse.urlsplit(self.path).path, status, flush=True)

    def basic(self):
        header = self.headers.get("Authorization") or ""
        if not header.startswith("Basic "):
            return None, None
        try:
            user, _, password = base64.b64decode(header[6:]).decode("utf-8").partition(":")
        except ValueError:
            return None, None
        return user, password

    def authorize(self):
        user, password = self.basic()
        users = SEED.get("users", {})
        database = self.headers.get("Act-Database-Name") or ""
        if user is None or users.get(user) != password or database != SEED.get("database", ""):
            message = SEED.get("authMessage")
            return self.send(401, json.dumps({"Message": message}) if message else "")
        token = secrets.token_urlsafe(24)
        TOKENS.add(token)
        return self.send(200, token, "text/plain; charset=utf-8")

    def page(self, path, records, query):
        try:
            skip = max(0, int(query.get("$skip", "0")))
            top = int(query["$top"]) if "$top" in query else len(records)
        except ValueError:
            return self.send(400, json.dumps({"Message": "The query is not valid."}))
        if SEED.get("maxTop"):
            top = min(top, int(SEED["maxTop"]))
        if SEED.get("ignoreSkip"):
            skip = 0
        slow = SEED.get("slow")
        if slow and slow.get("path") == path and int(slow.get("skip", 0)) == skip:
            time.sleep(float(slow.get("seconds", 5)))
        return self.send(200, json.dumps(records[skip:skip + max(0, top)]))

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        if not url.path.startswith(BASE + "/"):
            return self.send(404, "")
        path = url.path[len(BASE):]
        if path.lower() == "/authorize":
            return self.authorize()
        parts = path.split("/")
        opportunity_notes = (len(parts) == 5 and parts[1:3] == ["api", "opportunities"] and parts[4] == "notes")
        if path not in LISTS and not opportunity_notes:
            return self.send(404, json.dumps({"Message": "No such resource."}))
        header = self.headers.get("Authorization") or ""
        if not header.startswith("Bearer ") or header[7:] not in TOKENS:
            return self.send(401, json.dumps({"Message": "Authorization has been denied for this request."}))
        if self.headers.get("Act-Database-Name") != SEED.get("database", ""):
            return self.send(401, json.dumps({"Message": "Unknown database."}))
        fail = SEED.get("fail")
        if fail and fail.get("path") == path:
            return self.send(int(fail.get("status", 500)), fail.get("body", ""))
        if path in LISTS:
            return self.page(path, SEED.get(LISTS[path], []), query)
        opportunity = urllib.parse.unquote(parts[3])
        if not any(o.get("id") == opportunity for o in SEED.get("opportunities", [])):
            return self.send(404, json.dumps({"Message": "No such opportunity."}))
        return self.page(path, SEED.get("opportunityNotes", {}).get(opportunity, []), query)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    port = int(sys.argv[3]) if len(sys.argv) > 3 else 0
    server = Server(("127.0.0.1", port), Handler)
    with open(sys.argv[2] + ".tmp", "w", encoding="ascii") as f:
        f.write(str(server.server_address[1]))
    os.replace(sys.argv[2] + ".tmp", sys.argv[2])
    server.serve_forever()


if __name__ == "__main__":
    main()
