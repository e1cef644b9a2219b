// A pool of engine Workers (engine_worker.js), one per core, that paint catalogue
// views: each Worker is an engine of its own, so the views paint in parallel. Views
// are painted in the order asked, but a view asked `first` goes before those waiting.
//
// A Worker whose engine cannot start leaves the pool, failing only the job it had (it
// may have none yet), and `onLoss` hears why; with no Worker left, every job fails.
// A job can be cancelled: one still waiting is dropped, one painting is let go, and
// its Worker goes on with the next.
import { Kind, startEngineWorker, tellFallback } from './messages.js';

export class EngineFailure extends Error {}

export class WorkerPool {
    // `builds` may name a build for each of the first Workers (tests start one that
    // cannot load); the rest run `build`.
    constructor(build, { size = navigator.hardwareConcurrency || 2, builds = [],
                         onLoss = () => {} } = {}) {
        this.onLoss = onLoss;
        this.waiting = [];
        this.idle = [];
        this.running = new Map();  // Worker -> its job
        this.workers = 0;
        this.nextId = 1;
        for (let i = 0; i < Math.max(1, size); ++i) {
            const worker = startEngineWorker(builds[i] ?? build);
            worker.onmessage = ({ data }) => this.heard(worker, data);
            this.idle.push(worker);
            ++this.workers;
        }
    }

    // The view's RGBA bytes ({family, row, scheme, width, height}), or null for a view
    // the catalogue does not have or a size the engine refuses. Rejects with an
    // EngineFailure when no engine could paint it, and with an AbortError once
    // `signal` aborts.
    paint(view, { first = false, signal = null } = {}) {
        return new Promise((resolve, reject) => {
            if (this.workers === 0) {
                reject(new EngineFailure(this.reason));
                return;
            }
            const job = { view, resolve, reject, id: this.nextId++ };
            if (signal) {
                if (signal.aborted) return reject(signal.reason);
                signal.addEventListener('abort', () => this.cancel(job, signal.reason),
                                        { once: true });
            }
            if (first) this.waiting.unshift(job);
            else this.waiting.push(job);
            this.next();
        });
    }

    next() {
        while (this.idle.length > 0 && this.waiting.length > 0) {
            const worker = this.idle.pop();
            const job = this.waiting.shift();
            this.running.set(worker, job);
            worker.postMessage({ kind: Kind.view, id: job.id, ...job.view });
        }
    }

    cancel(job, reason) {
        this.waiting = this.waiting.filter((waiting) => waiting !== job);
        job.cancelled = true;
        job.reject(reason);
    }

    heard(worker, message) {
        switch (message.kind) {
            case Kind.fellBack:
                tellFallback(message.reason);
                break;
            case Kind.failed:
                this.lose(worker, message.reason);
                break;
            case Kind.viewDone: {
                const job = this.running.get(worker);
                this.running.delete(worker);
                this.idle.push(worker);
                if (job && !job.cancelled) job.resolve(message.rgba);
                this.next();
                break;
            }
        }
    }

    lose(worker, reason) {
        worker.terminate();
        --this.workers;
        this.reason = reason;
        this.idle = this.idle.filter((idle) => idle !== worker);
        this.running.get(worker)?.reject(new EngineFailure(reason));
        this.running.delete(worker);
        this.onLoss(reason);
        if (this.workers > 0) return;
        for (const job of this.waiting) job.reject(new EngineFailure(reason));
        this.waiting = [];
    }
}
