#!/bin/sh
# A timestamp server of the tests' own: RFC 3161 over HTTP on 127.0.0.1, made
# with openssl ts and socat, stamping with a throwaway certificate, so that a
# signing can be timestamped, and the stamp checked, without a network.
#   timestamp_server.sh start DIR   writes DIR/url and DIR/tsa.pem, the
#                                   certificate to trust for its stamps
#   timestamp_server.sh stop DIR
set -eu
action=$1
dir=$(cd "$2" 2>/dev/null && pwd || echo "$2")

if [ "$action" = reply ]; then
  # One request, from socat: the HTTP headers, then the query.
  length=0
  while IFS= read -r line; do
    line=$(printf '%s' "$line" | tr -d '\r')
    [ -n "$line" ] || break
    case $line in [Cc]ontent-[Ll]ength:*) length=$(echo "${line#*:}" | tr -d ' ') ;; esac
  done
  query=$dir/query.$$.tsq reply=$dir/reply.$$.tsr
  head -c "$length" >"$query"
  if openssl ts -reply -config "$dir/tsa.cnf" -queryfile "$query" -out "$reply" 2>>"$dir/server.log"; then
    printf 'HTTP/1.0 200 OK\r\nContent-Type: application/timestamp-reply\r\nContent-Length: %s\r\n\r\n' \
      "$(stat -c %s "$reply")"
    cat "$reply"
  else
    printf 'HTTP/1.0 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n'
  fi
  echo "stamped $length bytes of query" >>"$dir/server.log"
  rm -f "$query" "$reply"
  exit 0
fi

if [ "$action" = stop ]; then
  if [ -f "$dir/server.pid" ]; then kill "$(cat "$dir/server.pid")" 2>/dev/null || true; fi
  rm -f "$dir/server.pid" "$dir/url"
  exit 0
fi

sh "$0" stop "$dir"
mkdir -p "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tessarin test timestamps" \
  -addext "extendedKeyUsage=critical,timeStamping" -addext "keyUsage=critical,digitalSignature" \
  -keyout "$dir/tsa.key" -out "$dir/tsa.pem" 2>"$dir/openssl.log"
echo 01 >"$dir/serial"
cat >"$dir/tsa.cnf" <<CONFIG
[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = $dir/serial
crypto_device = builtin
signer_cert = $dir/tsa.pem
signer_key = $dir/tsa.key
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ordering = yes
tsa_name = yes
ess_cert_id_chain = no
ess_cert_id_alg = sha256
CONFIG
# The first free port of a few.
for port in $(seq 41100 41140); do
  socat "TCP-LISTEN:$port,bind=127.0.0.1,reuseaddr,fork" EXEC:"sh $0 reply $dir" 2>>"$dir/server.log" &
  pid=$!
  sleep 0.3
  if kill -0 "$pid" 2>/dev/null; then
    echo "$pid" >"$dir/server.pid"
    echo "http://127.0.0.1:$port" >"$dir/url"
    echo "timestamp server: $(cat "$dir/url")"
    exit 0
  fi
done
echo "timestamp server: no free port between 41100 and 41140" >&2
exit 1
