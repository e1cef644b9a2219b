// A pool of engine Workers (engine_worker.js), one per core, that paint catalogue
// views: each Worker is an engine of its own, so the views paint in parallel. Views
// are painted in the order asked, but a view asked `first` goes before those waiting.
import { Kind, startEngineWorker } from './messages.js';

export class WorkerPool {
    constructor(build, size = navigator.hardwareConcurrency || 2) {
        this.waiting = [];
        this.idle = [];
        this.jobs = new Map();
        this.nextId = 1;
        for (let i = 0; i < Math.max(1, size); ++i) {
            const worker = startEngineWorker(build);
            worker.onmessage = ({ data }) => this.finished(worker, data);
            this.idle.push(worker);
        }
    }

    // The view's RGBA bytes ({family, row, scheme, width, height}), or null for a view
    // the catalogue does not have or a size the engine refuses.
    paint(view, { first = false } = {}) {
        return new Promise((resolve, reject) => {
            const job = { view, resolve, reject, id: this.nextId++ };
            if (first) this.waiting.unshift(job);
            else this.waiting.push(job);
            this.next();
        });
    }

    next() {
        while (this.idle.length > 0 && this.waiting.length > 0) {
            const worker = this.idle.pop();
            const job = this.waiting.shift();
            this.jobs.set(job.id, job);
            worker.postMessage({ kind: Kind.view, id: job.id, ...job.view });
        }
    }

    finished(worker, message) {
        if (message.kind === Kind.failed) {
            for (const job of [...this.waiting, ...this.jobs.values()])
                job.reject(new Error(message.reason));
            this.waiting = [];
            this.jobs.clear();
            return;
        }
        if (message.kind !== Kind.viewDone) return;
        const job = this.jobs.get(message.id);
        this.jobs.delete(message.id);
        this.idle.push(worker);
        job?.resolve(message.rgba);
        this.next();
    }
}
