"""Routes a circuit's wires around the part bodies with horizontal and vertical
segments, so no wire is drawn across a display, a matrix or the microcontroller,
and finds the wires that still cross a body (crossings)."""
import heapq

from circuit import PIN_XY, SIZES

GRID = 4  # spacing of the lanes wires may run along, chart units
CLEARANCE = 6  # free space kept around every body
SPACING = 4  # closest two parallel wires of different nets may run
BEND = 60  # cost of a corner, in chart units of length
CROSS = 30  # cost of crossing another net's wire
REACH = 160  # how far beyond the parts wires may wander

LEFT, RIGHT, UP, DOWN = (-1, 0), (1, 0), (0, -1), (0, 1)


def exit_side(kind, index, pin, size):
    """The direction a wire leaves a pin: the nearest body edge, except where a
    part's drawing puts its pin rows on fixed sides."""
    x, y = pin
    w, h = size
    if kind in ("MCU", "DFF", "JKFF"):
        return LEFT if x < w / 2 else RIGHT
    if kind in ("Dot16", "Dot32"):
        return RIGHT if index < len(PIN_XY[kind]) // 2 else DOWN
    if kind == "Motor":
        return DOWN
    if kind == "Expander" and index >= 12:
        return RIGHT
    return min(((x, LEFT), (w - x, RIGHT), (y, UP), (h - y, DOWN)))[1]


def _segment_enters(a, b, box):
    """Whether the axis-parallel or slanted segment a-b passes through the open box."""
    (ax, ay), (bx, by) = a, b
    t0, t1 = 0.0, 1.0
    for p, q in ((-(bx - ax), ax - box[0]), (bx - ax, box[2] - ax), (-(by - ay), ay - box[1]),
                 (by - ay, box[3] - ay)):
        if p == 0:
            if q <= 0:
                return False
            continue
        t = q / p
        if p < 0:
            t0 = max(t0, t)
        else:
            t1 = min(t1, t)
        if t0 >= t1:
            return False
    return True


def crossings(circuit):
    """(wire index, part index) for every wire segment inside a body, other
    than the stub from a pin out of its own part: straight outward, or for the
    expander's outputs, the slant to their lane."""
    found = []
    for w, ends in enumerate(circuit.wires):
        points = route_points(circuit, w)
        for s in range(len(points) - 1):
            for part in range(len(circuit.parts)):
                if _segment_enters(points[s], points[s + 1], circuit.body(part)) and \
                        not _own_stub(circuit, ends, points, s, part):
                    found.append((w, part))
    return found


def _own_stub(circuit, ends, points, s, part):
    for end, first, pin, other in ((ends[0], 0, points[0], points[1]),
                                   (ends[1], len(points) - 2, points[-1], points[-2])):
        if end[0] == part and s == first and (
                (circuit.parts[part][0] == "Expander" and end[1] >= 12) or _outward(pin, other, circuit.body(part))):
            return True
    return False


def _outward(pin, other, box):
    cx, cy = (box[0] + box[2]) / 2, (box[1] + box[3]) / 2
    if pin[1] == other[1]:
        return (other[0] - pin[0]) * (pin[0] - cx) > 0
    if pin[0] == other[0]:
        return (other[1] - pin[1]) * (pin[1] - cy) > 0
    return False


def route_points(circuit, w):
    src, dst = circuit.wires[w]
    return [circuit.pin_point(src)] + list(circuit.bends[w]) + [circuit.pin_point(dst)]


def _segment_distance(p, a, b):
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    return ((ax + t * dx - px) ** 2 + (ay + t * dy - py) ** 2) ** 0.5


class _Nets:
    def __init__(self, wires):
        self.parent = {}
        for a, b in wires:
            self.parent[self.find(a)] = self.find(b)

    def find(self, pin):
        self.parent.setdefault(pin, pin)
        while self.parent[pin] != pin:
            pin = self.parent[pin]
        return pin


def _snap_out(value, step, direction):
    return (value // step + 1) * step if direction > 0 else -((-value) // step + 1) * step


class Router:
    def __init__(self, circuit):
        self.c = circuit
        self.nets = _Nets(circuit.wires)
        self.boxes = [circuit.body(p) for p in range(len(circuit.parts))]
        ends = {e for wire in circuit.wires for e in wire}
        self.lanes = self._slant_lanes(ends)
        self.exits = {end: self._exit(end) for end in ends}
        right = max(b[2] for b in self.boxes) + REACH
        bottom = max(b[3] for b in self.boxes) + REACH
        xs = set(range(GRID, right, GRID)) | {p[0] for p, _ in self.exits.values()}
        ys = set(range(GRID, bottom, GRID)) | {p[1] for p, _ in self.exits.values()}
        self.xs, self.ys = sorted(xs), sorted(ys)
        self.xi = {x: i for i, x in enumerate(self.xs)}
        self.yi = {y: i for i, y in enumerate(self.ys)}
        grown = [(b[0] - CLEARANCE, b[1] - CLEARANCE, b[2] + CLEARANCE, b[3] + CLEARANCE) for b in self.boxes]
        self.blocked = {(i, j) for i, x in enumerate(self.xs) for j, y in enumerate(self.ys)
                        if any(g[0] <= x <= g[2] and g[1] <= y <= g[3] for g in grown)}
        self.near_x = [self._near(self.xs, i) for i in range(len(self.xs))]
        self.near_y = [self._near(self.ys, j) for j in range(len(self.ys))]
        self.along = {}  # (i, j, axis) -> nets running through, axis 0 horizontal, 1 vertical
        for end, (point, _) in self.exits.items():
            node = (self.xi[point[0]], self.yi[point[1]])
            for axis in (0, 1):
                self.along.setdefault(node + (axis,), set()).add(self.nets.find(end))

    @staticmethod
    def _near(values, i):
        return [k for k in range(max(0, i - 3), min(len(values), i + 4)) if abs(values[k] - values[i]) < SPACING]

    def _exit(self, end):
        part, index = end
        kind = self.c.parts[part][0]
        side = exit_side(kind, index, PIN_XY[kind][index], SIZES[kind])
        px, py = self.c.pin_point(end)
        box = self.boxes[part]
        if end in self.lanes:
            return self.lanes[end], side
        if side[0]:
            edge = box[2] if side[0] > 0 else box[0]
            return (_snap_out(edge + side[0] * CLEARANCE, GRID, side[0]), py), side
        edge = box[3] if side[1] > 0 else box[1]
        return (px, _snap_out(edge + side[1] * CLEARANCE, GRID, side[1])), side

    def _slant_lanes(self, ends):
        """The expander's outputs sit among each other's dots and labels: each
        wired one leaves on a slant to a lane of its own beside the body. The
        outputs wired to one part keep their order in the lanes (so the wires
        beyond need not cross), and the slants pass the other dots at a distance."""
        lanes = {}
        for part, (kind, _, x, y) in enumerate(self.c.parts):
            if kind != "Expander":
                continue
            box = self.boxes[part]
            lane_x = _snap_out(box[2] + CLEARANCE, GRID, 1)
            dots = [(x + px, y + py) for px, py in PIN_XY[kind]]
            groups = {}
            for wire in self.c.wires:
                for end, other in (wire, wire[::-1]):
                    if end[0] == part and end[1] >= 12 and end not in sum(groups.values(), []):
                        groups.setdefault(other[0], []).append(end)
            count = sum(len(g) for g in groups.values())
            free = list(range(_snap_out(box[1], GRID, 1), box[3] + GRID * count, GRID))
            for group in sorted(groups.values(), key=len, reverse=True):
                for end, lane in self._ordered_lanes(sorted(group), free, lane_x, dots).items():
                    lanes[end] = (lane_x, lane)
                    free.remove(lane)
        return lanes

    def _ordered_lanes(self, outputs, candidates, lane_x, dots):
        """Lanes for the outputs in their order, each slant as clear of the
        other dots and as level as can be (dynamic programming over the lanes)."""
        def cost(end, lane):
            pin = self.c.pin_point(end)
            near = sum(_segment_distance(d, pin, (lane_x, lane)) < 5 for d in dots if d != pin)
            return 100 * near + abs(lane - pin[1])

        best, back = [], []  # best[k][c]: least cost of outputs 0..k with output k in lane c
        for k, end in enumerate(outputs):
            row, links, least, at = [], [], float("inf"), -1
            for c, lane in enumerate(candidates):
                if k and c and best[-1][c - 1] < least:
                    least, at = best[-1][c - 1], c - 1
                row.append((0 if k == 0 else least) + cost(end, lane))
                links.append(at)
            best.append(row)
            back.append(links)
        chosen = {}
        c = min(range(len(candidates)), key=lambda i: best[-1][i])
        for k in range(len(outputs) - 1, -1, -1):
            chosen[outputs[k]] = candidates[c]
            c = back[k][c]
        return chosen

    def _free(self, node, axis, net):
        i, j = node
        if node in self.blocked:
            return False
        lines = [(i, k) for k in self.near_y[j]] if axis == 0 else [(k, j) for k in self.near_x[i]]
        return all(self.along.get(n + (axis,), {net}) <= {net} for n in lines)

    def _crosses(self, node, axis, net):
        return bool(self.along.get(node + (1 - axis,), set()) - {net})

    def route(self, w):
        src, dst = self.c.wires[w]
        net = self.nets.find(src)
        (start, start_dir), (goal, goal_side) = self.exits[src], self.exits[dst]
        s = (self.xi[start[0]], self.yi[start[1]])
        g = (self.xi[goal[0]], self.yi[goal[1]])
        arrive = (-goal_side[0], -goal_side[1])
        dirs = (LEFT, RIGHT, UP, DOWN)

        def h(node):
            return abs(self.xs[node[0]] - goal[0]) + abs(self.ys[node[1]] - goal[1])

        best = {(s, start_dir): 0}
        came = {}
        queue = [(h(s), 0, s, start_dir)]
        while queue:
            _, cost, node, d = heapq.heappop(queue)
            if best.get((node, d), None) != cost:
                continue
            if node == g:
                if d != arrive:
                    cost += BEND
                break
            for nd in dirs:
                if nd == (-d[0], -d[1]):
                    continue
                ni, nj = node[0] + nd[0], node[1] + nd[1]
                if not (0 <= ni < len(self.xs) and 0 <= nj < len(self.ys)):
                    continue
                nxt = (ni, nj)
                axis = 0 if nd[1] == 0 else 1
                if nxt != g and not self._free(nxt, axis, net):
                    continue
                if nd != d and not self._free(node, axis, net) and node != s:
                    continue
                step = abs(self.xs[ni] - self.xs[node[0]]) + abs(self.ys[nj] - self.ys[node[1]])
                ncost = cost + step + (BEND if nd != d else 0) + (CROSS if self._crosses(nxt, axis, net) else 0)
                if ncost < best.get((nxt, nd), 1e18):
                    best[(nxt, nd)] = ncost
                    came[(nxt, nd)] = (node, d)
                    heapq.heappush(queue, (ncost + h(nxt), ncost, nxt, nd))
        else:
            raise ValueError(f"wire {w} {self.c.wires[w]}: no way around the parts")
        state = (node, d)
        path = [node]
        while state in came:
            state = came[state]
            path.append(state[0])
        path.reverse()
        for a, b in zip(path, path[1:]):
            axis = 0 if a[1] == b[1] else 1
            for n in (a, b):
                self.along.setdefault(n + (axis,), set()).add(net)
        points = [self.c.pin_point(src)] + [(self.xs[i], self.ys[j]) for i, j in path] + [self.c.pin_point(dst)]
        return _corners(points)

    def route_all(self):
        def length(w):
            (a, _), (b, _) = self.exits[self.c.wires[w][0]], self.exits[self.c.wires[w][1]]
            return abs(a[0] - b[0]) + abs(a[1] - b[1])

        for w in sorted(range(len(self.c.wires)), key=length):
            self.c.bends[w] = self.route(w)[1:-1]


def _corners(points):
    out = [points[0]]
    for p, q in zip(points[1:], points[2:] + [None]):
        if p == out[-1]:
            continue
        if q is not None and (out[-1][0] == p[0] == q[0] or out[-1][1] == p[1] == q[1]):
            continue
        out.append(p)
    return out
